#include "common/fullest_design.h"
#include "common/strike_group.h"
#include "io/designFile.h"
#include "io/forceFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace ivc;

namespace {

const QString kExample = QStringLiteral(IVC_TEST_DATA "/strike.ivf");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Forces written and read back, through bytes and through a saved file: equal, entry for
// entry, design for design, with no note. The committed example is the strike group as this
// version writes it.
TEST(ForceFile, WrittenAndReadBackEqual) {
    EXPECT_EQ(readAll(kExample).toStdString(), io::toJson(test::strikeGroup()).toStdString());
    Force fullest;
    fullest.setName("Grim \"Anvil\" \u91cd\u6226\u8eca Mk\u00b2");
    fullest.setLimit(32767);
    for (int race = 1; race <= 8; ++race)
        fullest.add(capture(test::fullestDesign(race, "Race " + std::to_string(race))),
                    race == 1 ? 99 : race, race % 2 == 0);
    Force unnamed;
    unnamed.add(capture(test::typicalDesign("")));
    const std::pair<const char*, Force> cases[] = {
        {"the strike group", test::strikeGroup()},
        {"empty", Force{}},
        {"the fullest design of every race", fullest},
        {"no names", unnamed},
    };
    QTemporaryDir dir;
    for (const auto& [name, force] : cases) {
        SCOPED_TRACE(name);
        const io::OpenedForce read = io::openForce(io::toJson(force), QStringLiteral("f.ivf"));
        EXPECT_TRUE(read.force == force && read.notes.isEmpty()) << read.error.toStdString();
        const QString path = dir.filePath(QStringLiteral("f.ivf"));
        ASSERT_EQ(io::saveForce(path, force), QString());
        EXPECT_TRUE(io::openForce(path).force == force);
    }
}

// Hostile and broken force files, each the example with one change or a file of its own:
// what opens, and the message of what does not, naming the file, the entry's place and
// name and the first wrong entry of its design.
TEST(ForceFile, BadFiles) {
    const QString example = QString::fromUtf8(readAll(kExample));
    // The text whose first place in the example is replaced (none: the replacement is the
    // whole file), its replacement and the message (none: the file opens with no note).
    const std::tuple<const char*, QString, QString, QString> cases[] = {
        {"a weapon of another race in entry 3", "\"Ion Cannon\"", "\"Hellstorm\"",
         "entry 3 (\"Hulk\"): Slot 3: \"Hellstorm\" is not in the Concord arsenal."},
        {"a design's value of the wrong type", "\"ferocious\": false", "\"ferocious\": 0",
         "entry 1 (\"Warden\"): \"closeCombat.ferocious\" must be true or false."},
        {"a design's name a number", "\"name\": \"Gnat\",", "\"name\": 5,", ": entry 2: \"name\""},
        {"count 0", "\"count\": 3", "\"count\": 0",
         "entry 2 (\"Gnat\"): \"count\" must be a whole number from 1 to 99."},
        {"count 100", "\"count\": 3", "\"count\": 100", "\"count\" must be a whole number"},
        {"count far beyond any integer", "\"count\": 3", "\"count\": 1.35e59", "\"count\" must"},
        {"in play a text", "\"inPlay\": false", "\"inPlay\": \"no\"",
         "entry 4 (\"Spare Warden\"): \"inPlay\" must be true or false."},
        {"limit 32767", "\"limit\": 1500", "\"limit\": 32767", ""},
        {"limit 32768", "\"limit\": 1500", "\"limit\": 32768",
         ": \"limit\" must be a whole number from 0 to 32767."},
        {"name a number", "\"name\": \"Strike Group\"", "\"name\": 7",
         ": \"name\" must be a text."},
        {"entries a number", "",
         "{\"format\": \"ironvale-force\", \"version\": \"1.0\", \"entries\": 5}",
         ": \"entries\" must be a list."},
        {"an entry without its design", "",
         "{\"format\": \"ironvale-force\", \"version\": \"1.0\", \"entries\": [{\"count\": 1}]}",
         ": entry 1: \"design\" must be an object."},
        {"a later major version", "\"version\": \"1.0\"\n}", "\"version\": \"2.0\"\n}",
         ": It was written in format 2.0 by a later version of this program, which reads format "
         "1 only."},
        {"a later minor version", "\"version\": \"1.0\"\n}", "\"version\": \"1.4\"\n}", ""},
        {"another format", "\"ironvale-force\"", "\"ironvale-army\"",
         ": It is not an Ironvale force."},
        {"a design file", "", QString::fromUtf8(readAll(IVC_TEST_DATA "/typical.ivc")),
         ": It is a vehicle design, not a force."},
        {"empty", "", "", ": It is not valid JSON"},
        {"unknown keys", "\"limit\": 1500,",
         "\"limit\": 1500, \"later\": {\"key\": [1, 2]}, \"inPlay\": 3,", ""},
        {"the force's points wrong", "\"points\": 711", "\"points\": 5", ""},
        {"an entry saved at other points", "\"points\": 97", "\"points\": 95",
         "entry 2 (\"Gnat\") was saved at 95 points; by the rules of this version it costs 97 "
         "points."},
    };
    for (const auto& [name, from, to, message] : cases) {
        SCOPED_TRACE(name);
        QString text = from.isEmpty() ? to : example;
        if (!from.isEmpty()) {
            const auto at = text.indexOf(from);
            ASSERT_GE(at, 0) << from.toStdString();
            text.replace(at, from.size(), to);
        }
        const io::OpenedForce o = io::openForce(text.toUtf8(), QStringLiteral("strike.ivf"));
        const QString seen = o.force ? o.notes.join('\n') : o.error;
        if (message.isEmpty())
            EXPECT_TRUE(o.force && o.notes.isEmpty()) << seen.toStdString();
        else
            EXPECT_TRUE(seen.contains(message)) << seen.toStdString();
        EXPECT_TRUE(o.error.isEmpty() || o.error.startsWith("Cannot open \"strike.ivf\": "));
        EXPECT_EQ(o.force.has_value(), o.error.isEmpty());
    }
}

// At the size limit a force file opens; one byte over, it is refused with the file's name.
TEST(ForceFile, SizeLimit) {
    QTemporaryDir dir;
    QByteArray largest = readAll(kExample);
    largest.append(QByteArray(io::kMaxForceFileBytes - largest.size(), ' '));
    const std::pair<const char*, QByteArray> cases[] = {{"at the limit", largest},
                                                        {"one byte over", largest + ' '}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QStringLiteral("large.ivf"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
        const io::OpenedForce o = io::openForce(path);
        EXPECT_EQ(o.error.toStdString(),
                  bytes.size() > io::kMaxForceFileBytes
                      ? "Cannot open \"large.ivf\": It is larger than 8 MiB, far more than a "
                        "force takes."
                      : "");
    }
}
