#pragma once

#include "core/design.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// Design files (.ivc): one design as UTF-8 JSON, read and written with Qt Core only, so
// that the window, the command line and the fuzzer share one reader.
namespace ivc::io {

inline constexpr char kFormatName[] = "ironvale-vehicle";
inline constexpr int kFormatMajor = 1;
inline constexpr int kFormatMinor = 0;
inline constexpr char kSuffix[] = "ivc";
inline constexpr char kMimeType[] = "application/x-ironvale-vehicle";
// Larger files are refused before they are read: a design takes a few kilobytes.
inline constexpr qint64 kMaxFileBytes = 1024 * 1024;

QByteArray toJson(const Design& design);
// The same as one JSON object, for files that hold designs inside them (forces).
QJsonObject toJsonObject(const Design& design);

// The design that the bytes of a file hold, or why they hold none.
struct Parsed {
    std::optional<Design> design;
    QString error;
};
Parsed fromJson(const QByteArray& bytes);
// The design that one JSON object holds, as a design file's whole object.
Parsed fromJson(const QJsonObject& root);

// A design file read, checked whole and replayed on a fresh model. On failure `error`
// names the file and the first wrong entry and `model` is empty. `note` tells when the
// total differs from the points the file was saved with.
struct Opened {
    std::optional<MainModel> model;
    QString error;
    QString note;
};
Opened openDesign(const QString& path);
// The same for bytes already read; `fileName` is the name the messages use.
Opened openDesign(const QByteArray& bytes, const QString& fileName);

// Writes the design atomically: a failed save leaves any old file as it was. Returns the
// error, naming the file and the reason, or an empty text.
QString saveDesign(const QString& path, const Design& design);

} // namespace ivc::io
