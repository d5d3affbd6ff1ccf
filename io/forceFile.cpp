#include "io/forceFile.h"

#include "io/atomicFile.h"
#include "io/designFile.h"
#include "io/readFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace ivc::io {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString mustBe(const QString& key, const QString& kind) {
    return QStringLiteral("\"%1\" must be %2.").arg(key, kind);
}

// A whole number within the range, or why not; a missing key gives `fallback`.
std::optional<int> wholeNumber(const QJsonObject& o, const QString& key, int low, int high,
                               int fallback, QString& error) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined())
        return fallback;
    const double d = v.toDouble(std::numeric_limits<double>::quiet_NaN());
    // The range first: casting a number outside it to an integer is undefined.
    if (!v.isDouble() || !(d >= low && d <= high) || d != std::trunc(d)) {
        error = mustBe(key, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high));
        return std::nullopt;
    }
    return static_cast<int>(d);
}

// The format, version and name of the whole file: empty when they are fine.
QString readHeader(const QJsonObject& root, Force& force) {
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (format == QLatin1String(kFormatName))
        return QStringLiteral("It is a vehicle design, not a force.");
    if (format != QLatin1String(kForceFormatName))
        return QStringLiteral("It is not an Ironvale force.");
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isUndefined() && !version.isString())
        return mustBe(QStringLiteral("version"), QStringLiteral("a text"));
    const QStringList parts = version.toString().split(QLatin1Char('.'));
    bool ok = parts.size() == 2;
    const int major = ok ? parts[0].toInt(&ok) : 0;
    if (!ok)
        return QStringLiteral("Its format version \"%1\" is not a version such as \"%2.%3\".")
            .arg(version.toString())
            .arg(kForceFormatMajor)
            .arg(kForceFormatMinor);
    if (major > kForceFormatMajor)
        return QStringLiteral("It was written in format %1 by a later version of this program, "
                              "which reads format %2 only.")
            .arg(version.toString())
            .arg(kForceFormatMajor);
    const QJsonValue name = root.value(QStringLiteral("name"));
    if (!name.isUndefined() && !name.isString())
        return mustBe(QStringLiteral("name"), QStringLiteral("a text"));
    force.setName(name.toString().toStdString());
    QString error;
    if (const auto limit =
            wholeNumber(root, QStringLiteral("limit"), 0, Force::kMaxLimit, 0, error))
        force.setLimit(*limit);
    return error;
}

// "entry 3 ("Hulk")", or "entry 3" when the entry names no design.
QString entryLabel(int place, const QJsonObject& design) {
    const QJsonValue name = design.value(QStringLiteral("name"));
    if (!name.isString())
        return QStringLiteral("entry %1").arg(place);
    return QStringLiteral("entry %1 (\"%2\")").arg(QString::number(place), name.toString());
}

// Reads, checks and adds one entry; returns why it cannot be added, or an empty text.
QString readEntry(const QJsonValue& value, int place, Force& force, OpenedForce& opened,
                  const QString& fileName) {
    if (!value.isObject())
        return QStringLiteral("entry %1: \"entries\" must hold objects.").arg(place);
    const QJsonObject entry = value.toObject();
    const QJsonValue designValue = entry.value(QStringLiteral("design"));
    const QJsonObject design = designValue.toObject();
    const QString label = entryLabel(place, design);
    if (!designValue.isObject())
        return label + QStringLiteral(": ") +
               mustBe(QStringLiteral("design"), QStringLiteral("an object"));
    QString error;
    const auto count = wholeNumber(entry, QStringLiteral("count"), Force::kMinCount,
                                   Force::kMaxCount, Force::kMinCount, error);
    const QJsonValue inPlay = entry.value(QStringLiteral("inPlay"));
    if (error.isEmpty() && !inPlay.isUndefined() && !inPlay.isBool())
        error = mustBe(QStringLiteral("inPlay"), QStringLiteral("true or false"));
    const Parsed parsed = fromJson(design);
    if (error.isEmpty() && !parsed.design)
        error = parsed.error;
    if (error.isEmpty())
        error = qs(force.add(*parsed.design, *count, inPlay.toBool(true)));
    if (!error.isEmpty())
        return label + QStringLiteral(": ") + error;
    const auto saved = parsed.design->points;
    if (saved && *saved != force.entries().back().points)
        opened.notes.push_back(QStringLiteral("\"%1\": %2 was saved at %3 points; by the rules "
                                              "of this version it costs %4 points.")
                                   .arg(fileName, label, QString::number(*saved),
                                        QString::number(force.entries().back().points)));
    return {};
}

} // namespace

QByteArray toJson(const Force& force) {
    QJsonArray entries;
    for (const ForceEntry& e : force.entries())
        entries.append(QJsonObject{{QStringLiteral("count"), e.count},
                                   {QStringLiteral("inPlay"), e.inPlay},
                                   {QStringLiteral("design"), toJsonObject(*e.design)}});
    const QJsonObject root{{QStringLiteral("format"), QLatin1String(kForceFormatName)},
                           {QStringLiteral("version"),
                            QStringLiteral("%1.%2").arg(kForceFormatMajor).arg(kForceFormatMinor)},
                           {QStringLiteral("name"), qs(force.name())},
                           {QStringLiteral("limit"), force.limit()},
                           // For people and other tools; opening prices every entry afresh.
                           {QStringLiteral("points"), static_cast<qint64>(force.total())},
                           {QStringLiteral("entries"), entries}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

OpenedForce openForce(const QByteArray& bytes, const QString& fileName) {
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &err);
    if (err.error != QJsonParseError::NoError)
        return {std::nullopt,
                cannotOpen(fileName, QStringLiteral("It is not valid JSON (%1 at byte %2).")
                                         .arg(err.errorString())
                                         .arg(err.offset)),
                {}};
    Force force;
    const QJsonObject root = doc.object();
    QString error =
        doc.isObject() ? readHeader(root, force) : QStringLiteral("It is not an Ironvale force.");
    const QJsonValue entries = root.value(QStringLiteral("entries"));
    if (error.isEmpty() && !entries.isUndefined() && !entries.isArray())
        error = mustBe(QStringLiteral("entries"), QStringLiteral("a list"));
    OpenedForce opened;
    int place = 0;
    for (const QJsonValue& entry : entries.toArray()) {
        if (!error.isEmpty())
            break;
        error = readEntry(entry, ++place, force, opened, fileName);
    }
    if (!error.isEmpty())
        return {std::nullopt, cannotOpen(fileName, error), {}};
    opened.force = std::move(force);
    return opened;
}

OpenedForce openForce(const QString& path) {
    return openForceAt(QFile::encodeName(path), QFileInfo(path).fileName());
}

OpenedForce openForceAt(const QByteArray& nativePath, const QString& fileName) {
    const Read read =
        readRegularFile(nativePath, fileName, kMaxForceFileBytes,
                        QStringLiteral("It is larger than 8 MiB, far more than a force takes."),
                        QStringLiteral("a force file"));
    if (!read.error.isEmpty())
        return {std::nullopt, read.error, {}};
    return openForce(read.bytes, fileName);
}

QString saveForce(const QString& path, const Force& force) {
    const QByteArray bytes = toJson(force);
    const QString reason = writeAtomically(path, bytes);
    if (reason.isEmpty())
        return {};
    return QStringLiteral("Cannot save \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}

} // namespace ivc::io
