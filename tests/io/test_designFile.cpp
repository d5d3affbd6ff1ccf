#include "common/file_size_limit.h"
#include "common/random_actions.h"
#include "common/typical_design.h"
#include "core/card.h"
#include "io/atomicFile.h"
#include "io/designFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/stat.h>

using namespace ivc;

namespace {

const QString kExample = QStringLiteral(IVC_TEST_DATA "/typical.ivc");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every control, save the rows that a reset leaves in the lists that the next "&Next"
// refills: before it, a user can only see the first of them.
Controls shown(const MainModel& m) {
    Controls c = m.controls();
    if (m.frameEnabled(FrameId::Race)) {
        for (int s = 0; s < kSlots; ++s)
            c.list({ListId::Wpn1, s}).rows = std::vector<std::string>{"None"};
        c.list({ListId::CCW, 0}).rows = std::vector<std::string>{"None"};
    }
    return c;
}

// The record, save the figures that a refused armour step leaves behind: the next "&Next"
// writes them afresh before anything reads them.
DesignRecord kept(const MainModel& m) {
    DesignRecord r = m.record();
    if (m.frameEnabled(FrameId::Armor))
        r.intArmorTotal = r.intArmorPts = 0;
    return r;
}

} // namespace

// Random designs, made by random user actions on the model, saved and opened again: the
// design, every control, the record and the card come back as they were.
TEST(DesignFile, RandomDesignsOpenAsTheyWereSaved) {
    int opened = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        MainModel m;
        const int steps = std::uniform_int_distribution<int>(1, 120)(rng);
        for (int i = 0; i < steps; ++i)
            test::apply(m, test::randomAction(m, rng));
        m.setName(seed % 3 == 0 ? "Grim \"Anvil\" Mk\u00b2" : "");
        if (m.usable(ButtonId::Calculate) && m.total())
            m.press(ButtonId::Calculate);
        m.takeEffects();

        const Design design = capture(m);
        const QByteArray json = io::toJson(design);
        const io::Parsed parsed = io::fromJson(json);
        ASSERT_TRUE(parsed.design) << parsed.error.toStdString();
        EXPECT_TRUE(*parsed.design == design) << json.toStdString();
        const io::Opened o = io::openDesign(json, QStringLiteral("random.ivc"));
        if (!o.model) {
            // A count chosen before the structure was lowered is refused, as the rules
            // refuse it when picked in that order; nothing else may fail.
            EXPECT_TRUE(o.error.contains(QLatin1String("Too many troops")) ||
                        o.error.contains(QLatin1String("more shields than structure")))
                << o.error.toStdString() << "\n"
                << json.toStdString();
            continue;
        }
        ++opened;
        EXPECT_TRUE(shown(*o.model) == shown(m)) << json.toStdString();
        EXPECT_TRUE(kept(*o.model) == kept(m)) << json.toStdString();
        EXPECT_TRUE(makeCard(*o.model) == makeCard(m)) << json.toStdString();
        EXPECT_EQ(o.note, QString());
    }
    EXPECT_GT(opened, 285);
}

// The committed example is the walk-through design as this version writes it.
TEST(DesignFile, ExampleOpensToTheTypicalDesign) {
    const MainModel typical = test::typicalDesign("Warden");
    EXPECT_EQ(readAll(kExample).toStdString(), io::toJson(capture(typical)).toStdString());
    const io::Opened o = io::openDesign(kExample);
    ASSERT_TRUE(o.model) << o.error.toStdString();
    EXPECT_EQ(o.model->caption(LabelId::Points), "130");
    EXPECT_TRUE(makeCard(*o.model) == makeCard(typical));
}

// Hand-made files, each the example with one change: what opens, and the message of what
// does not, naming the file and the first wrong entry.
TEST(DesignFile, HandMadeFiles) {
    const QString example = QString::fromUtf8(readAll(kExample));
    struct Case {
        const char* from; // replaced in the example; empty: `to` is the whole file
        const char* to;
        const char* message; // empty: the file opens
        const char* from2 = "";
        const char* to2 = "";
    };
    const Case cases[] = {
        {"\"race\"", "\"later\": {\"key\": [1, 2]},\n    \"race\"", ""},
        {"\"points\": 130", "\"points\": 125",
         "\"t.ivc\" was saved at 125 points; by the rules of this version the design costs 130 "
         "points."},
        {"", "", "Cannot open \"t.ivc\": the file is empty."},
        {"", " ", "Cannot open \"t.ivc\": It is not valid JSON (illegal value at byte 1)."},
        {"\"options\"", "\"options\"}",
         "It is not valid JSON (missing name separator at byte 296)."},
        {"\"ironvale-vehicle\"", "\"ironvale-tank\"", "It is not an Ironvale vehicle design."},
        {"\"1.0\"", "\"2.1\"",
         "It was written in format 2.1 by a later version of this program, which reads format "
         "1 only."},
        {"\"1.0\"", "\"1.7\"", ""},
        {"\"1.0\"", "\"one\"", "Its format version \"one\" is not a version such as \"1.0\"."},
        {"\"Warden\"", "7", "\"name\" must be a text."},
        {"\"Warden\"", "\"War\xff\xfe\"",
         "It is not valid JSON (invalid UTF8 string at byte 276)."},
        {"\"step\": 3", "\"step\": 4", "\"step\" must be a whole number from 1 to 3."},
        {"\"points\": 130", "\"points\": 40000", "\"points\" must be a whole number from -32768"},
        // Far beyond any integer: found by the fuzzer, refused before any cast.
        {"\"points\": 130", "\"points\": 1.35e59", "\"points\" must be a whole number"},
        {"\"ferocious\": false", "\"ferocious\": \"no\"",
         "\"closeCombat.ferocious\" must be true or false."},
        {"\"Concord\"", "\"Elf\"",
         "Cannot open \"t.ivc\": Race: \"Elf\" is not among the choices."},
        {"\"Beam Cannon\"", "\"Hellstorm\"",
         "Cannot open \"t.ivc\": Slot 1: \"Hellstorm\" is not in the Concord arsenal."},
        {"\"Beam Cannon\"", "\"Siege Cannon\"",
         "Slot 1: \"Twin Linked\" cannot be chosen at this point."},
        {"\"front\": \"12\"", "\"front\": \"14\"", "Armor: Too much armor", "\"Tank\"",
         "\"Light Vehicle\""},
        {"\"Skimmer\"", "\"Hover\"", "\"Hover\" is not a special option."},
        {"\"option\": \"Skimmer\"", "\"option\": \"Transport\", \"count\": \"12\"",
         "Transport: This vehicle can transport at most 11 models with its structure points."},
        {"\"step\": 3", "\"step\": 1", "Front armor: \"12\" cannot be chosen at this point."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        QString text = *c.from == '\0' ? QString::fromUtf8(c.to) : example;
        if (*c.from != '\0') {
            ASSERT_TRUE(text.contains(QString::fromUtf8(c.from)));
            text.replace(QString::fromUtf8(c.from), QString::fromUtf8(c.to));
            text.replace(QString::fromUtf8(c.from2), QString::fromUtf8(c.to2));
        }
        QByteArray bytes = text.toUtf8();
        bytes.replace("War\xef\xbf\xbd\xef\xbf\xbd", "War\xff\xfe"); // the invalid bytes themselves
        const io::Opened o = io::openDesign(bytes, QStringLiteral("t.ivc"));
        const QString seen = o.model ? o.note : o.error;
        if (*c.message == '\0')
            EXPECT_TRUE(o.model && o.note.isEmpty()) << seen.toStdString();
        else
            EXPECT_TRUE(seen.contains(QString::fromUtf8(c.message))) << seen.toStdString();
        EXPECT_TRUE(o.error.isEmpty() ||
                    o.error.startsWith(QLatin1String("Cannot open \"t.ivc\": ")));
    }
}

// A full disk (a file size limit stands in for it): a save that cannot be written whole
// is told with the file and the system's reason, and leaves the old file byte for byte as
// it was, or no file where there was none, and no stray temporary file beside it.
TEST(DesignFile, SaveOnAFullDiskKeepsTheOldFile) {
    const QByteArray old = readAll(kExample);
    const Design changed = capture(test::typicalDesign("Warden the Second"));
    const auto size = static_cast<rlim_t>(io::toJson(changed).size());
    struct Case {
        const char* name;
        rlim_t room; // bytes a file may take
        bool oldFile;
        bool saved;
    };
    const Case cases[] = {
        {"no room at all", 0, true, false},
        {"room for a few bytes", 100, true, false},
        {"room for all but the last byte", size - 1, true, false},
        {"no old file, no room", 100, false, false},
        {"room for exactly the file", size, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("warden.ivc");
        if (c.oldFile) {
            ASSERT_TRUE(QFile::copy(kExample, path));
        }
        QString error;
        {
            const test::FileSizeLimit full(c.room);
            ASSERT_TRUE(full.set());
            error = io::saveDesign(path, changed);
        }
        if (c.saved) {
            EXPECT_EQ(error.toStdString(), "");
            EXPECT_EQ(readAll(path), io::toJson(changed));
        } else {
            EXPECT_EQ(error.toStdString(),
                      "Cannot save \"warden.ivc\": File too large. The design is still open; "
                      "save it elsewhere with File > Save As.");
            EXPECT_EQ(QFile::exists(path), c.oldFile);
            EXPECT_EQ(readAll(path), c.oldFile ? old : QByteArray());
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  c.oldFile || c.saved ? QStringList("warden.ivc") : QStringList());
    }
}

// A writer that cannot produce its content (a picture library's failure) replaces nothing.
TEST(DesignFile, AWriterThatFailsReplacesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("card.pdf");
    ASSERT_TRUE(QFile::copy(kExample, path));
    const QString reason = io::writeAtomically(path, [](QIODevice& out) {
        out.write("half a card");
        return false;
    });
    EXPECT_EQ(reason.toStdString(), "the content could not be written");
    EXPECT_EQ(readAll(path), readAll(kExample));
}

// What is on disk under a name: only a regular file is read, and at once; a pipe with no
// writer is refused rather than waited on. A name that is not UTF-8 opens by its bytes.
TEST(DesignFile, WhatIsOnDiskUnderTheName) {
    QTemporaryDir dir;
    const QByteArray at = QFile::encodeName(dir.path()) + '/';
    ASSERT_TRUE(QFile::copy(kExample, dir.filePath("warden.ivc")));
    ASSERT_EQ(mkfifo(at + "pipe.ivc", 0600), 0);
    QFile(dir.filePath("empty.ivc")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::copy(kExample, dir.filePath("w.ivc")));
    ASSERT_EQ(std::rename(at + "w.ivc", at + "Gr\xe2k.ivc"), 0); // Latin-1, not UTF-8
    // The example padded with spaces to the size limit, and one byte past it.
    QByteArray padded = readAll(kExample);
    padded.append(QByteArray(io::kMaxFileBytes - padded.size(), ' '));
    for (const auto& [name, bytes] : {std::pair{"limit.ivc", padded}, {"over.ivc", padded + ' '}}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    const std::pair<QByteArray, const char*> cases[] = {
        {at + "warden.ivc", ""},
        {at + "Gr\xe2k.ivc", ""},
        {at + "pipe.ivc", "Cannot open \"x\": It is a device or a pipe, not a design file."},
        {"/dev/zero", "Cannot open \"x\": It is a device or a pipe, not a design file."},
        {at, "Cannot open \"x\": It is a folder."},
        {at + "empty.ivc", "Cannot open \"x\": the file is empty."},
        {at + "limit.ivc", ""},
        {at + "over.ivc",
         "Cannot open \"x\": It is larger than 1 MiB, far more than a design takes."},
        {at + "gone.ivc", "Cannot open \"x\": No such file or directory."},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path.toStdString());
        const io::Opened o = io::openDesignAt(path, QStringLiteral("x"));
        EXPECT_EQ(o.error.toStdString(), message);
        EXPECT_EQ(o.model.has_value(), *message == '\0');
    }
    std::rename(at + "Gr\xe2k.ivc", at + "w.ivc"); // Qt removes only the names it can spell
}

// Saving over a folder is refused, and the folder stays as it was.
TEST(DesignFile, SavingOverAFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ivc"));
    const QString told = io::saveDesign(dir.filePath("folder.ivc"), capture(MainModel()));
    EXPECT_TRUE(told.startsWith(QLatin1String("Cannot save \"folder.ivc\": ")))
        << told.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.ivc")).isDir());
}
