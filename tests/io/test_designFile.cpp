#include "common/file_size_limit.h"
#include "common/typical_design.h"
#include "core/card.h"
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

} // namespace

// Hand-made files, each the example with one change: what opens, and the message of what
// does not, naming the file and the first wrong entry.
TEST(DesignFile, HandMadeFiles) {
    const QString example = QString::fromUtf8(readAll(kExample));
    // The text replaced in the example (none: the replacement is the whole file), its
    // replacement, the message (none: the file opens) and a second replacement.
    struct Case {
        const char *from, *to, *message, *from2 = "", *to2 = "";
    } const cases[] = {
        {"\"race\"", "\"later\": {\"key\": [1, 2]},\n    \"race\"", ""},
        {"\"points\": 130", "\"points\": 125",
         "\"t.ivc\" was saved at 125 points; by the rules of this version the design costs 130"},
        {"", "", ": the file is empty."},
        {"\"1.0\"", "\"2.1\"", "written in format 2.1 by a later version of this program, which"},
        {"\"step\": 3", "\"step\": 4", "\"step\" must be a whole number from 1 to 3."},
        {"\"points\": 130", "\"points\": 40000", "\"points\" must be a whole number from -32768"},
        // Far beyond any integer: found by the fuzzer, refused before any cast.
        {"\"points\": 130", "\"points\": 1.35e59", "\"points\" must be a whole number"},
        {"\"Concord\"", "\"Elf\"", ": Race: \"Elf\" is not among the choices."},
        {"\"Beam Cannon\"", "\"Hellstorm\"",
         ": Slot 1: \"Hellstorm\" is not in the Concord arsenal."},
        {"\"Beam Cannon\"", "\"Siege Cannon\"", "Slot 1: \"Twin Linked\" cannot be chosen at this"},
        {"\"front\": \"12\"", "\"front\": \"14\"", "Armor: Too much armor", "\"Tank\"",
         "\"Light Vehicle\""},
        {"\"Skimmer\"", "\"Hover\"", "\"Hover\" is not a special option."},
        {"\"option\": \"Skimmer\"", "\"option\": \"Transport\", \"count\": \"12\"",
         "Transport: This vehicle can transport at most 11 models"},
        {"\"step\": 3", "\"step\": 1", "Front armor: \"12\" cannot be chosen at this point."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        QString text = *c.from == '\0' ? QString(c.to) : example;
        if (*c.from != '\0') {
            ASSERT_TRUE(text.contains(c.from));
            text.replace(c.from, c.to).replace(c.from2, c.to2);
        }
        const io::Opened o = io::openDesign(text.toUtf8(), QStringLiteral("t.ivc"));
        const QString seen = o.model ? o.note : o.error;
        if (*c.message == '\0')
            EXPECT_TRUE(o.model && o.note.isEmpty()) << seen.toStdString();
        else
            EXPECT_TRUE(seen.contains(c.message)) << seen.toStdString();
        EXPECT_TRUE(o.error.isEmpty() || o.error.startsWith("Cannot open \"t.ivc\": "));
    }
}

// A full disk (a file size limit stands in for it): a save that cannot be written whole
// is told with the file and the system's reason, and leaves the old file byte for byte as
// it was, or no file where there was none, and no stray temporary file beside it.
TEST(DesignFile, SaveOnAFullDiskKeepsTheOldFile) {
    const QByteArray old = readAll(kExample);
    const Design changed = capture(test::typicalDesign("Warden the Second"));
    const auto size = static_cast<rlim_t>(io::toJson(changed).size());
    // The bytes a file may take, whether an old file is there and whether the save is done.
    const std::tuple<const char*, rlim_t, bool, bool> cases[] = {
        {"no room at all", 0, true, false},
        {"room for a few bytes", 100, true, false},
        {"room for all but the last byte", size - 1, true, false},
        {"no old file, no room", 100, false, false},
        {"room for exactly the file", size, true, true},
    };
    for (const auto& [name, room, oldFile, saved] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString path = dir.filePath("warden.ivc");
        ASSERT_TRUE(!oldFile || QFile::copy(kExample, path));
        const QString error =
            test::onAFullDisk(room, [&] { return io::saveDesign(path, changed); });
        EXPECT_EQ(error.toStdString(),
                  saved ? ""
                        : "Cannot save \"warden.ivc\": File too large. The design is still "
                          "open; save it elsewhere with File > Save As.");
        EXPECT_EQ(readAll(path), saved ? io::toJson(changed) : oldFile ? old : QByteArray());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  oldFile || saved ? QStringList("warden.ivc") : QStringList());
    }
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
