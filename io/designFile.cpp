#include "io/designFile.h"

#include "io/atomicFile.h"
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

// Reads typed values out of JSON objects; the first wrong one is kept as the error and
// every later read returns its fallback.
class Reader {
public:
    QString error;

    std::string text(const QJsonObject& o, const QString& key, const QString& where,
                     std::string fallback = {}) {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isString())
            return wrong(where + key, QStringLiteral("a text")), fallback;
        return v.toString().toStdString();
    }

    std::optional<int> number(const QJsonObject& o, const QString& key, const QString& where,
                              int low, int high) {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return std::nullopt;
        const double d = v.toDouble(std::numeric_limits<double>::quiet_NaN());
        // The range first: casting a number outside it to an integer is undefined.
        if (!v.isDouble() || !(d >= low && d <= high) || d != std::trunc(d)) {
            wrong(where + key, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high));
            return std::nullopt;
        }
        return static_cast<int>(d);
    }

    bool flag(const QJsonObject& o, const QString& key, const QString& where) {
        const QJsonValue v = o.value(key);
        if (!v.isUndefined() && !v.isBool())
            wrong(where + key, QStringLiteral("true or false"));
        return v.toBool(false);
    }

    QJsonObject object(const QJsonValue& v, const QString& what) {
        if (!v.isUndefined() && !v.isObject())
            wrong(what, QStringLiteral("an object"));
        return v.toObject();
    }

    QJsonArray array(const QJsonValue& v, const QString& what) {
        if (!v.isUndefined() && !v.isArray())
            wrong(what, QStringLiteral("a list"));
        return v.toArray();
    }

    void fail(const QString& why) {
        if (error.isEmpty())
            error = why;
    }

private:
    void wrong(const QString& what, const QString& kind) {
        fail(QStringLiteral("\"%1\" must be %2.").arg(what, kind));
    }
};

void readSlots(Reader& r, const QJsonArray& weapons, Design& d) {
    std::array<bool, kSlots> seen{};
    for (const QJsonValue& v : weapons) {
        const QJsonObject o = r.object(v, QStringLiteral("weapons"));
        const auto slot =
            r.number(o, QStringLiteral("slot"), QStringLiteral("weapons."), 1, kSlots);
        if (!slot) {
            r.fail(QStringLiteral("Every entry of \"weapons\" needs its \"slot\", 1 to 8."));
            return;
        }
        const auto i = static_cast<std::size_t>(*slot - 1);
        if (seen[i])
            r.fail(QStringLiteral("Slot %1 is given twice.").arg(*slot));
        seen[i] = true;
        const QString where = QStringLiteral("slot %1.").arg(*slot);
        SlotChoices& s = d.weaponSlots[i];
        s.weapon = r.text(o, QStringLiteral("weapon"), where, s.weapon);
        for (const QJsonValue& u :
             r.array(o.value(QStringLiteral("upgrades")), where + "upgrades")) {
            if (!u.isString())
                r.fail(QStringLiteral("\"%1upgrades\" must hold texts.").arg(where));
            s.upgrades.push_back(u.toString().toStdString());
        }
        s.battery = r.text(o, QStringLiteral("battery"), where, s.battery);
        s.slowFire = r.text(o, QStringLiteral("slowFire"), where, s.slowFire);
        s.count = r.text(o, QStringLiteral("count"), where, s.count);
    }
}

// Why a file's format and version are not ones this program reads, or nothing.
QString formatRefusal(Reader& r, const QJsonObject& root) {
    if (root.value(QStringLiteral("format")) != QLatin1String(kFormatName))
        return QStringLiteral("It is not an Ironvale vehicle design.");
    const std::string version = r.text(root, QStringLiteral("version"), QString());
    const QStringList parts = qs(version).split(QLatin1Char('.'));
    bool ok = parts.size() == 2;
    const int major = ok ? parts[0].toInt(&ok) : 0;
    if (!ok)
        return QStringLiteral("Its format version \"%1\" is not a version such as \"%2.%3\".")
            .arg(qs(version))
            .arg(kFormatMajor)
            .arg(kFormatMinor);
    if (major > kFormatMajor)
        return QStringLiteral("It was written in format %1 by a later version of this program, "
                              "which reads format %2 only.")
            .arg(qs(version))
            .arg(kFormatMajor);
    return {};
}

void readOptions(Reader& r, const QJsonArray& options, Design& d) {
    const QString in = QStringLiteral("options.");
    for (const QJsonValue& v : options) {
        const QJsonObject o = r.object(v, QStringLiteral("options"));
        d.options.push_back(
            {r.text(o, QStringLiteral("option"), in), r.text(o, QStringLiteral("count"), in),
             !o.contains(QStringLiteral("ticked")) || r.flag(o, QStringLiteral("ticked"), in)});
    }
}

Parsed parse(const QJsonObject& root) {
    Reader r;
    const QString top;
    if (const QString refused = formatRefusal(r, root); !refused.isEmpty())
        return {std::nullopt, refused};
    Design d;
    d.name = r.text(root, QStringLiteral("name"), top);
    d.step = r.number(root, QStringLiteral("step"), top, 1, 3).value_or(3);
    d.race = r.text(root, QStringLiteral("race"), top);
    d.type = r.text(root, QStringLiteral("type"), top);
    d.size = r.text(root, QStringLiteral("size"), top);
    const QJsonObject armor =
        r.object(root.value(QStringLiteral("armor")), QStringLiteral("armor"));
    const QString inArmor = QStringLiteral("armor.");
    d.front = r.text(armor, QStringLiteral("front"), inArmor);
    d.sides = r.text(armor, QStringLiteral("sides"), inArmor);
    d.rear = r.text(armor, QStringLiteral("rear"), inArmor);
    d.top = r.text(armor, QStringLiteral("top"), inArmor);
    d.structure = r.text(root, QStringLiteral("structure"), top);
    readOptions(r, r.array(root.value(QStringLiteral("options")), QStringLiteral("options")), d);
    readSlots(r, r.array(root.value(QStringLiteral("weapons")), QStringLiteral("weapons")), d);
    const QJsonObject cc =
        r.object(root.value(QStringLiteral("closeCombat")), QStringLiteral("closeCombat"));
    const QString inCC = QStringLiteral("closeCombat.");
    d.closeCombat = r.text(cc, QStringLiteral("weapon"), inCC);
    d.attacks = r.text(cc, QStringLiteral("number"), inCC);
    d.ferocious = r.flag(cc, QStringLiteral("ferocious"), inCC);
    d.points = r.number(root, QStringLiteral("points"), top, std::numeric_limits<i16>::min(),
                        std::numeric_limits<i16>::max());
    if (!r.error.isEmpty())
        return {std::nullopt, r.error};
    return {std::move(d), {}};
}

QJsonArray optionsJson(const Design& d) {
    QJsonArray options;
    for (const OptionChoice& o : d.options) {
        QJsonObject entry{{QStringLiteral("option"), qs(o.option)}};
        if (!o.count.empty())
            entry[QStringLiteral("count")] = qs(o.count);
        if (!o.ticked)
            entry[QStringLiteral("ticked")] = false;
        options.append(entry);
    }
    return options;
}

QJsonArray weaponsJson(const Design& d) {
    QJsonArray weapons;
    for (int s = 0; s < kSlots; ++s) {
        const SlotChoices& slot = d.weaponSlots[static_cast<std::size_t>(s)];
        if (slot == SlotChoices{})
            continue; // a slot never touched
        QJsonArray upgrades;
        for (const std::string& u : slot.upgrades)
            upgrades.append(qs(u));
        weapons.append(QJsonObject{{QStringLiteral("slot"), s + 1},
                                   {QStringLiteral("weapon"), qs(slot.weapon)},
                                   {QStringLiteral("upgrades"), upgrades},
                                   {QStringLiteral("battery"), qs(slot.battery)},
                                   {QStringLiteral("slowFire"), qs(slot.slowFire)},
                                   {QStringLiteral("count"), qs(slot.count)}});
    }
    return weapons;
}

} // namespace

QByteArray toJson(const Design& design) {
    return QJsonDocument(toJsonObject(design)).toJson(QJsonDocument::Indented);
}

QJsonObject toJsonObject(const Design& d) {
    QJsonObject root;
    root[QStringLiteral("format")] = QLatin1String(kFormatName);
    root[QStringLiteral("version")] = QStringLiteral("%1.%2").arg(kFormatMajor).arg(kFormatMinor);
    root[QStringLiteral("name")] = qs(d.name);
    root[QStringLiteral("step")] = d.step;
    root[QStringLiteral("race")] = qs(d.race);
    root[QStringLiteral("type")] = qs(d.type);
    root[QStringLiteral("size")] = qs(d.size);
    root[QStringLiteral("armor")] = QJsonObject{{QStringLiteral("front"), qs(d.front)},
                                                {QStringLiteral("sides"), qs(d.sides)},
                                                {QStringLiteral("rear"), qs(d.rear)},
                                                {QStringLiteral("top"), qs(d.top)}};
    root[QStringLiteral("structure")] = qs(d.structure);
    root[QStringLiteral("options")] = optionsJson(d);
    root[QStringLiteral("weapons")] = weaponsJson(d);
    root[QStringLiteral("closeCombat")] = QJsonObject{{QStringLiteral("weapon"), qs(d.closeCombat)},
                                                      {QStringLiteral("number"), qs(d.attacks)},
                                                      {QStringLiteral("ferocious"), d.ferocious}};
    if (d.points)
        root[QStringLiteral("points")] = *d.points;
    return root;
}

Parsed fromJson(const QByteArray& bytes) {
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &err);
    if (err.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("It is not valid JSON (%1 at byte %2).")
                                  .arg(err.errorString())
                                  .arg(err.offset)};
    if (!doc.isObject())
        return {std::nullopt, QStringLiteral("It is not an Ironvale vehicle design.")};
    return parse(doc.object());
}

Parsed fromJson(const QJsonObject& root) {
    return parse(root);
}

Opened openDesign(const QByteArray& bytes, const QString& fileName) {
    if (bytes.isEmpty())
        return {std::nullopt, cannotOpen(fileName, QStringLiteral("the file is empty.")), {}};
    Parsed parsed = fromJson(bytes);
    if (!parsed.design)
        return {std::nullopt, cannotOpen(fileName, parsed.error), {}};
    Replayed replayed = replay(*parsed.design);
    if (!replayed.error.empty())
        return {std::nullopt, cannotOpen(fileName, qs(replayed.error)), {}};
    Opened opened;
    const auto total = replayed.model.total();
    if (parsed.design->points && parsed.design->step == 3 && total != parsed.design->points)
        opened.note = QStringLiteral("\"%1\" was saved at %2 points; by the rules of this version "
                                     "the design costs %3 points.")
                          .arg(fileName)
                          .arg(*parsed.design->points)
                          .arg(total ? QString::number(*total) : QStringLiteral("out of range"));
    opened.model = std::move(replayed.model);
    return opened;
}

Opened openDesign(const QString& path) {
    return openDesignAt(QFile::encodeName(path), QFileInfo(path).fileName());
}

Opened openDesignAt(const QByteArray& nativePath, const QString& fileName) {
    const Read read =
        readRegularFile(nativePath, fileName, kMaxFileBytes,
                        QStringLiteral("It is larger than 1 MiB, far more than a design takes."),
                        QStringLiteral("a design file"));
    if (!read.error.isEmpty())
        return {std::nullopt, read.error, {}};
    return openDesign(read.bytes, fileName);
}

QString saveDesign(const QString& path, const Design& design) {
    const QByteArray bytes = toJson(design);
    const QString reason = writeAtomically(path, bytes);
    if (reason.isEmpty())
        return {};
    return QStringLiteral("Cannot save \"%1\": %2. The design is still open; save it elsewhere "
                          "with File > Save As.")
        .arg(QFileInfo(path).fileName(), reason);
}

} // namespace ivc::io
