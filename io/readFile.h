#pragma once

#include <QByteArray>
#include <QString>

// Reading the files the program opens: only a regular file is read, at most one byte past
// its limit, and never waited on (a pipe or a device is refused before anything is read).
namespace ivc::io {

// "Cannot open "x.ivc": WHY", the form of every message about a file that cannot be read.
QString cannotOpen(const QString& fileName, const QString& why);

struct Read {
    QByteArray bytes;
    QString error; // "Cannot open …", naming the file; empty when read
};

// Reads the file named by the bytes of its name on disk, which need not be valid UTF-8.
// `fileName` is the name the messages use; `tooLarge` says why a file over `limit` bytes
// is refused; `kind` is what the file should be ("a design file").
Read readRegularFile(const QByteArray& nativePath, const QString& fileName, qint64 limit,
                     const QString& tooLarge, const QString& kind);

} // namespace ivc::io
