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
    void recentListOrderAndLength();
    void replacingTheDesignInHand();
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

// File > "&New" and an entry of "Open &Recent" replace the design in hand, after the
// question when it is unsaved; New is a step that undo takes back. A recent file that is
// gone is told before any question and taken off the list.
void TestComforts::replacingTheDesignInHand() {
    struct Row {
        const char* name;
        QString steps;    // made on a.ivc as opened, b.ivc opened before it
        QString action;   // "mnuNew", or "mnuRecent2" for b.ivc
        bool gone;        // b.ivc is deleted first
        QString answer;   // to the question, none when none is asked
        QString seen;     // the boxes shown
        const char* then; // the design afterwards: "fresh", "B" or "kept"
    };
    const QString gone = "Open: Cannot open \"b.ivc\": the file is no longer there. It has "
                         "been taken off the list of recent files. [Ok]";
    const Row rows[] = {
        {"New, nothing unsaved", "", "mnuNew", false, "", "", "fresh"},
        {"New, unsaved, discarded", "lstRace=Grak", "mnuNew", false, "Discard", kQuestion, "fresh"},
        {"New, unsaved, cancelled", "lstWpn1_1=Beam Cannon", "mnuNew", false, "Cancel", kQuestion,
         "kept"},
        {"recent, nothing unsaved", "", "mnuRecent2", false, "", "", "B"},
        {"recent, unsaved, discarded", "lstRace=Grak", "mnuRecent2", false, "Discard", kQuestion,
         "B"},
        {"recent, unsaved, cancelled", "lstRace=Grak", "mnuRecent2", false, "Cancel", kQuestion,
         "kept"},
        {"recent, the file gone", "", "mnuRecent2", true, "", gone, "kept"},
        {"recent, the file gone, unsaved work kept", "lstRace=Grak", "mnuRecent2", true, "", gone,
         "kept"},
    };
    for (const Row& row : rows) {
        clearSettings();
        QTemporaryDir dir;
        const QString b = savedDesign(dir, "b.ivc", typicalDesign("B"));
        FrmMain w;
        w.show();
        QCOMPARE(find<QAction>(w, "mnuNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QVERIFY(w.openFile(b) && w.openFile(savedDesign(dir, "a.ivc", typicalDesign("A"))));
        act(w, row.steps);
        const Controls before = w.model().controls();
        const QString title = w.windowTitle();
        if (row.gone)
            QVERIFY(QFile::remove(b));
        BoxAnswerer answers;
        answers.queue(row.answer);
        emit find<QMenu>(w, "mnuRecent")->aboutToShow();
        trigger(w, row.action);
        QCOMPARE(row.name + answers.seen.join("; "), row.name + row.seen);
        const QString then = row.then;
        QVERIFY2(w.model().controls() == (then == "fresh" ? MainModel().controls()
                                          : then == "B"   ? typicalDesign("B").controls()
                                                          : before),
                 row.name);
        QCOMPARE(w.windowTitle(), then == "fresh" ? kTitle
                                  : then == "B"   ? "b.ivc[*] \u2014 " + kTitle
                                                  : title);
        if (then == "fresh") {
            QCOMPARE(w.windowFilePath(), QString());
            QCOMPARE(runningTotal(w), QString("Running total: after Armor"));
            QCOMPARE(w.undoStack()->undoText(), QString("New"));
            trigger(w, "mnuUndo");
            QVERIFY(w.model().controls() == before);
        }
        if (row.action == "mnuRecent2") {
            QCOMPARE(recentEntries().value(0), then == "B" ? "&1 b.ivc" : "&1 a.ivc");
            QCOMPARE(recentEntries().size(), row.gone ? 3 : 4);
        }
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
