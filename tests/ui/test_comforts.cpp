#include "uitest.h"

using namespace ivc;
using namespace ivc::test;
using ivc::ui::FrmMain;

namespace {

const QString kTitle = "Ironvale Vehicle Creator";
const QString kQuestion =
    "Ironvale Vehicle Creator: Save changes to this design? [*Save Cancel Discard]";

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
    const QString text = caption(w, "lblRunningTotal");
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

} // namespace

class TestComforts : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
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
            actRandomly(w, rng, replica);
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
    // The files opened in turn ("save:NAME" saves as that file), the names then listed.
    const std::tuple<const char*, QString, QString> rows[] = {
        {"none", "", ""},
        {"one", "a", "a"},
        {"most recent first", "a b c", "c b a"},
        {"opened again: to the top, once", "a b a", "a b"},
        {"a save counts", "a save:d", "d a"},
        {"a file refused is not listed", "a bad", "a"},
        {"eight at most", "1 2 3 4 5 6 7 8 9", "9 8 7 6 5 4 3 2"}};
    for (const auto& [name, files, listed] : rows) {
        QSettings().clear();
        QTemporaryDir dir;
        {
            FrmMain w;
            BoxAnswerer answers;
            for (const QString& f : files.split(' ', Qt::SkipEmptyParts)) {
                if (f.startsWith("save:")) {
                    answerFileDialog(dir.filePath(f.mid(5) + ".ivc"));
                    trigger(w, "mnuSaveAs");
                } else if (f == "bad") {
                    QFile bad(dir.filePath("bad.ivc"));
                    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("{") == 1);
                    bad.close();
                    QVERIFY(!w.openFile(bad.fileName()));
                } else {
                    QVERIFY(w.openFile(savedDesign(dir, f + ".ivc", typicalDesign("A"))));
                }
            }
        }
        QStringList entries;
        for (const QString& f : listed.split(' ', Qt::SkipEmptyParts))
            entries << QString("&%1 %2.ivc").arg(entries.size() + 1).arg(f);
        entries << "--"
                << "&Clear Recent";
        if (listed.isEmpty())
            entries << "(greyed)";
        QCOMPARE(name + (": " + recentEntries().join(", ")), name + (": " + entries.join(", ")));
    }
}

// File > "&New" and an entry of "Open &Recent" replace the design in hand, after the
// question when it is unsaved; New is a step that undo takes back. A recent file that is
// gone is told before any question and taken off the list.
void TestComforts::replacingTheDesignInHand() {
    const QString gone = "Open: Cannot open \"b.ivc\": the file is no longer there. It has "
                         "been taken off the list of recent files. [Ok]";
    // The steps made on a.ivc as opened (b.ivc opened before it), the entry chosen ("gone":
    // b.ivc's, the file deleted first), the answer to the question (none: none is asked) and
    // the design afterwards: "fresh", "B" or "kept".
    const std::tuple<const char*, QString, QString, QString, QString> rows[] = {
        {"New, nothing unsaved", "", "mnuNew", "", "fresh"},
        {"New, unsaved, discarded", "lstRace=Grak", "mnuNew", "Discard", "fresh"},
        {"New, unsaved, cancelled", "lstWpn1_1=Beam Cannon", "mnuNew", "Cancel", "kept"},
        {"New after a reset, nothing to lose", "txtName=, lstRace=Grak, cmdReset", "mnuNew", "",
         "fresh"},
        {"recent, nothing unsaved", "", "mnuRecent2", "", "B"},
        {"recent, unsaved, discarded", "lstRace=Grak", "mnuRecent2", "Discard", "B"},
        {"recent, unsaved, cancelled", "lstRace=Grak", "mnuRecent2", "Cancel", "kept"},
        {"recent, the file gone", "", "gone", "", "kept"},
        {"recent, the file gone, unsaved work kept", "lstRace=Grak", "gone", "", "kept"}};
    for (const auto& [name, steps, entry, answer, then] : rows) {
        QSettings().clear();
        QTemporaryDir dir;
        const QString b = savedDesign(dir, "b.ivc", typicalDesign("B"));
        FrmMain w;
        w.show();
        QCOMPARE(find<QAction>(w, "mnuNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QVERIFY(w.openFile(b) && w.openFile(savedDesign(dir, "a.ivc", typicalDesign("A"))));
        act(w, steps);
        QCOMPARE(w.isWindowModified(), !steps.isEmpty()); // the running total marks nothing
        const Controls before = w.model().controls();
        const QString title = w.windowTitle();
        QVERIFY(entry != "gone" || QFile::remove(b));
        BoxAnswerer answers;
        answers.queue(answer);
        emit find<QMenu>(w, "mnuRecent")->aboutToShow();
        trigger(w, entry == "mnuNew" ? entry : "mnuRecent2");
        QCOMPARE(name + answers.seen.join("; "), name + (entry == "gone"    ? gone
                                                         : answer.isEmpty() ? ""
                                                                            : kQuestion));
        QVERIFY2(w.model().controls() == (then == "fresh" ? MainModel().controls()
                                          : then == "B"   ? typicalDesign("B").controls()
                                                          : before),
                 name);
        QCOMPARE(w.windowTitle(), then == "fresh" ? kTitle
                                  : then == "B"   ? "b.ivc[*] \u2014 " + kTitle
                                                  : title);
        if (then == "fresh") {
            QCOMPARE(w.windowFilePath(), QString());
            QCOMPARE(caption(w, "lblRunningTotal"), QString("Running total: after Armor"));
            QCOMPARE(w.undoStack()->undoText(), QString("New"));
            trigger(w, "mnuUndo");
            QVERIFY(w.model().controls() == before);
        } else if (entry != "mnuNew") {
            QCOMPARE(recentEntries().mid(0, 2).join(" "), then == "B"       ? "&1 b.ivc &2 a.ivc"
                                                          : entry == "gone" ? "&1 a.ivc --"
                                                                            : "&1 a.ivc &2 b.ivc");
        }
    }
}

// "Clear Recent" empties the list, for this window and the next; two entries of the same
// name in different folders are told apart by their paths.
void TestComforts::clearRecent() {
    QTemporaryDir dir, other;
    FrmMain w;
    QVERIFY(w.openFile(savedDesign(dir, "a.ivc", typicalDesign("A"))));
    trigger(w, "mnuClearRecent");
    QVERIFY(!find<QMenu>(w, "mnuRecent")->menuAction()->isEnabled());
    QCOMPARE(recentEntries(), QStringList({"--", "&Clear Recent", "(greyed)"}));
    QVERIFY(w.openFile(savedDesign(other, "a.ivc", typicalDesign("A"))));
    QVERIFY(w.openFile(savedDesign(dir, "a.ivc", typicalDesign("A"))));
    QCOMPARE(recentEntries().value(0), "&1 " + QDir::toNativeSeparators(dir.filePath("a.ivc")));
}

QTEST_MAIN(TestComforts)
#include "test_comforts.moc"
