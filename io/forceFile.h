#pragma once

#include "core/force.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Force files (.ivf): a force's name, limit and entries as UTF-8 JSON, each entry with its
// count, whether it is in play and its whole design as a design file holds it, so that one
// file carries a whole force to another player.
namespace ivc::io {

inline constexpr char kForceFormatName[] = "ironvale-force";
inline constexpr int kForceFormatMajor = 1;
inline constexpr int kForceFormatMinor = 0;
inline constexpr char kForceSuffix[] = "ivf";
inline constexpr char kForceMimeType[] = "application/x-ironvale-force";
// Larger files are refused before they are read: a design takes a few kilobytes, so this
// holds a thousand entries and more.
inline constexpr qint64 kMaxForceFileBytes = 8 * 1024 * 1024;

QByteArray toJson(const Force& force);

// A force file read and every entry checked through the rules as a design file is. The
// first wrong entry refuses the whole file: `error` names the file, the entry's place and
// name and its design's first wrong entry, and `force` is empty. `notes` tell the entries
// whose saved points differ from what the rules give now.
struct OpenedForce {
    std::optional<Force> force;
    QString error;
    QStringList notes;
};
OpenedForce openForce(const QString& path);
// The same for bytes already read; `fileName` is the name the messages use.
OpenedForce openForce(const QByteArray& bytes, const QString& fileName);

// Writes the force atomically: a failed save leaves any old file as it was. Returns the
// error, naming the file and the reason, or an empty text.
QString saveForce(const QString& path, const Force& force);

} // namespace ivc::io
