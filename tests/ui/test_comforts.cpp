#include "uitest.h"

using namespace ivc;
using namespace ivc::test;
using ivc::ui::FrmMain;

namespace {

const QString kTitle = "Ironvale Vehicle Creator";
const QString kQuestion =
    "Ironvale Vehicle Creator: Save changes to this design? [*Save Cancel Discard]";

QString runningTotal(const FrmMain& w) {
    return caption(w, "lblRunningTotal");
}

// What "&Calculate" would show now: its figure, or its message when it refuses the total.
QString calculated(const MainModel& m) {
    MainModel copy = m;
    copy.press(ButtonId::Calculate);
    for (const Effect& e : copy.takeEffects())
        if (const auto* message = std::get_if<Message>(&e))
            return QString::fromStdString(message->text);
    return QString::fromStdString(copy.caption(LabelId::Points));
}

// The running total says what "&Calculate" would show, and what lblPoints shows when that
// is another figure: empty when it agrees, else what is wrong.
QString disagreement(const FrmMain& w) {
    const QString text = runningTotal(w);
    if (!w.model().usable(ButtonId::Calculate))
        return text == "Running total: after Armor" ? QString() : "before Calculate: " + text;
    const QString figure = calculated(w.model());
    const QString shown = caption(w, "lblPoints");
    if (!text.contains(figure))
        return QString("%1 lacks Calculate's %2").arg(text, figure);
    if (!shown.isEmpty() && shown != figure && !text.startsWith("Points shown: " + shown))
        return QString("%1 does not tell lblPoints' %2").arg(text, shown);
    if ((shown.isEmpty() || shown == figure) && text.startsWith("Points shown"))
        return QString("%1 though lblPoints shows %2").arg(text, shown);
    return {};
}

MainModel typical() {
    return typicalDesign("Warden");
}

// The entries of File > "Open &Recent" as a fresh window shows them.
QStringList recentEntries() {
    FrmMain w;
    QStringList texts;
    for (const QAction* a : find<QMenu>(w, "mnuRecent")->actions())
        texts << (a->isSeparator() ? "--" : a->text() + (a->isEnabled() ? "" : " (off)"));
    if (!find<QMenu>(w, "mnuRecent")->menuAction()->isEnabled())
        texts << "(greyed)";
    return texts;
}

void clearSettings() {
    QSettings().clear();
    QSettings().sync();
}

} // namespace

class TestComforts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setOrganizationName("Ironvale");
        QApplication::setApplicationName("Ironvale Vehicle Creator");
    }
    void init() { clearSettings(); }
    void runningTotalOverRandomWalks();
    void fileNew();
    void recentListOrderAndLength();
    void recentEntryChosen();
    void clearRecent();
};

// Random runs through the widgets, beside a replica of the design: after every change the
// running total agrees with "&Calculate", while lblPoints, "&Print", the undo steps and the
// modified mark are what the change alone makes of them.
void TestComforts::runningTotalOverRandomWalks() {
    for (const unsigned seed : {1u, 7u}) {
        QTemporaryDir dir;
        FrmMain w;
        BoxAnswerer answers; // out-of-range totals are told
        MainModel replica;
        QVERIFY(w.openFile(savedDesign(dir, "start.ivc", replica)));
        std::mt19937 rng(seed);
        int steps = 0;
        for (int i = 0; i < 120; ++i) {
            const Controls before = replica.controls();
            actRandomly(w, rng, &replica);
            steps += before == replica.controls() ? 0 : 1;
            const QString at = QString("seed %1, step %2: ").arg(seed).arg(i);
            QCOMPARE(at + disagreement(w) + caption(w, "lblPoints"),
                     at + QString::fromStdString(replica.caption(LabelId::Points)));
            QCOMPARE(find(w, "cmdPrint")->isEnabled(), replica.buttonEnabled(ButtonId::Print));
            QCOMPARE(w.undoStack()->count(), steps);
            QCOMPARE(w.isWindowModified(), steps > 0);
        }
    }
}

// File > "&New" asks first when unsaved work would be lost, then starts the design the
// program starts with, as a step that undo takes back.
void TestComforts::fileNew() {
    struct Row {
        const char* name;
        QString steps;
        bool fromFile;  // the design was opened from a file first
        QString answer; // none: no question
        bool fresh;     // a fresh design afterwards
    };
    const Row rows[] = {
        {"fresh: nothing to ask", "", false, "", true},
        {"unsaved, discarded", "lstRace=Grak", false, "Discard", true},
        {"unsaved, cancelled", "lstRace=Grak", false, "Cancel", false},
        {"opened, unchanged", "", true, "", true},
        {"opened and changed, discarded", "lstWpn1_1=Beam Cannon", true, "Discard", true},
        {"opened and changed, cancelled", "lstWpn1_1=Beam Cannon", true, "Cancel", false},
    };
    QTemporaryDir dir;
    const QString file = savedDesign(dir, "warden.ivc", typical());
    for (const Row& row : rows) {
        FrmMain w;
        w.show();
        QCOMPARE(find<QAction>(w, "mnuNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        if (row.fromFile)
            QVERIFY(w.openFile(file));
        act(w, row.steps);
        const Controls before = w.model().controls();
        const QString titleBefore = w.windowTitle();
        BoxAnswerer answers;
        answers.queue(row.answer);
        trigger(w, "mnuNew");
        QCOMPARE(row.name + answers.seen.join("; "),
                 row.name + (row.answer.isEmpty() ? QString() : kQuestion));
        QCOMPARE(row.name + (w.model().controls() == MainModel().controls()), row.name + row.fresh);
        QCOMPARE(w.windowTitle(), row.fresh ? kTitle : titleBefore);
        QCOMPARE(w.windowFilePath().isEmpty(), row.fresh || !row.fromFile);
        if (row.fresh)
            QCOMPARE(runningTotal(w), QString("Running total: after Armor"));
        if (row.fresh && before != MainModel().controls()) {
            QCOMPARE(w.undoStack()->undoText(), QString("New"));
            trigger(w, "mnuUndo");
            QVERIFY(w.model().controls() == before);
        }
    }
}

// The files last opened or saved, most recent first, each once, at most eight, as the
// next window finds them.
void TestComforts::recentListOrderAndLength() {
    struct Row {
        const char* name;
        QString files; // opened in turn; "save NAME" saves as that file
        QStringList entries;
    };
    const QStringList clear = {"--", "&Clear Recent"};
    const Row rows[] = {
        {"none", "", QStringList{"--", "&Clear Recent", "(greyed)"}},
        {"one", "a", QStringList{"&1 a.ivc"} + clear},
        {"most recent first", "a b c", QStringList{"&1 c.ivc", "&2 b.ivc", "&3 a.ivc"} + clear},
        {"opened again: to the top, once", "a b a", QStringList{"&1 a.ivc", "&2 b.ivc"} + clear},
        {"a save counts", "a save:d", QStringList{"&1 d.ivc", "&2 a.ivc"} + clear},
        {"a file refused is not listed", "a bad", QStringList{"&1 a.ivc"} + clear},
        {"eight at most", "1 2 3 4 5 6 7 8 9",
         QStringList{"&1 9.ivc", "&2 8.ivc", "&3 7.ivc", "&4 6.ivc", "&5 5.ivc", "&6 4.ivc",
                     "&7 3.ivc", "&8 2.ivc"} +
             clear},
    };
    for (const Row& row : rows) {
        clearSettings();
        QTemporaryDir dir;
        {
            FrmMain w;
            BoxAnswerer answers;
            for (const QString& f : row.files.split(' ', Qt::SkipEmptyParts)) {
                if (f.startsWith("save:")) {
                    answerFileDialog(dir.filePath(f.mid(5) + ".ivc"));
                    trigger(w, "mnuSaveAs");
                } else if (f == "bad") {
                    QFile bad(dir.filePath("bad.ivc"));
                    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("{") == 1);
                    bad.close();
                    QVERIFY(!w.openFile(bad.fileName()));
                } else {
                    QVERIFY(w.openFile(savedDesign(dir, f + ".ivc", typical())));
                }
            }
        }
        QCOMPARE(row.name + (": " + recentEntries().join(", ")),
                 row.name + (": " + row.entries.join(", ")));
    }
}

// Choosing an entry: a file that is gone is told and taken off the list, before any
// question; otherwise it opens after the unsaved-changes question.
void TestComforts::recentEntryChosen() {
    struct Row {
        const char* name;
        QString steps;  // made before choosing
        bool gone;      // the file is deleted first
        QString answer; // to the question, none when none is asked
        QStringList seen;
        bool opened;
    };
    const QString goneText = "Open: Cannot open \"b.ivc\": the file is no longer there. It has "
                             "been taken off the list of recent files. [Ok]";
    const Row rows[] = {
        {"nothing unsaved", "", false, "", {}, true},
        {"unsaved, discarded", "lstRace=Grak", false, "Discard", {kQuestion}, true},
        {"unsaved, cancelled", "lstRace=Grak", false, "Cancel", {kQuestion}, false},
        {"the file gone", "", true, "", {goneText}, false},
        {"the file gone, unsaved work kept", "lstRace=Grak", true, "", {goneText}, false},
    };
    for (const Row& row : rows) {
        clearSettings();
        QTemporaryDir dir;
        const QString a = savedDesign(dir, "a.ivc", MainModel());
        const QString b = savedDesign(dir, "b.ivc", typical());
        FrmMain w;
        w.show();
        QVERIFY(w.openFile(b) && w.openFile(a));
        act(w, row.steps);
        const Controls before = w.model().controls();
        if (row.gone)
            QVERIFY(QFile::remove(b));
        BoxAnswerer answers;
        answers.queue(row.answer);
        emit find<QMenu>(w, "mnuRecent")->aboutToShow();
        trigger(w, "mnuRecent2"); // b, opened before a
        QCOMPARE(row.name + answers.seen.join("; "), row.name + row.seen.join("; "));
        QCOMPARE(w.model().controls() == typical().controls(), row.opened);
        if (!row.opened)
            QVERIFY(w.model().controls() == before);
        QCOMPARE(recentEntries().value(0), row.opened ? "&1 b.ivc" : "&1 a.ivc");
        QCOMPARE(recentEntries().size(), row.gone ? 3 : 4);
    }
}

// "Clear Recent" empties the list, for this window and the next.
void TestComforts::clearRecent() {
    QTemporaryDir dir;
    FrmMain w;
    QVERIFY(w.openFile(savedDesign(dir, "a.ivc", typical())));
    QVERIFY(find<QMenu>(w, "mnuRecent")->menuAction()->isEnabled());
    trigger(w, "mnuClearRecent");
    QVERIFY(!find<QMenu>(w, "mnuRecent")->menuAction()->isEnabled());
    QCOMPARE(recentEntries(), QStringList({"--", "&Clear Recent", "(greyed)"}));
    // Two entries of the same name in different folders are told apart by their paths.
    QTemporaryDir other;
    QVERIFY(w.openFile(savedDesign(other, "a.ivc", typical())));
    QVERIFY(w.openFile(savedDesign(dir, "a.ivc", typical())));
    QCOMPARE(recentEntries().value(0), "&1 " + QDir::toNativeSeparators(dir.filePath("a.ivc")));
}

QTEST_MAIN(TestComforts)
#include "test_comforts.moc"
