#include "common/differences.h"
#include "common/random_actions.h"
#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmMain;

namespace {

const QString kTitle = "Ironvale Vehicle Creator";
const QString kTypical =
    ("txtName=Warden, lstRace=Concord, lstType=Tank, lstSize=Normal, cmdNext1, lstFArmor=12, "
     "lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, lstWpn1_0=Beam Cannon, "
     "chkTwin1_0, chkSkimmer, lstCCW=CCW, cmdCalculate");

QString actionText(const FrmMain& w, const char* action) {
    return w.findChild<QAction*>(QString::fromLatin1(action))->text();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The controls whose widget shows something else than the model holds: a list's rows and
// row, a tick, a caption, the name, whether it is open (as set, not as inherited from its
// frame).
QStringList mirrorDifferences(const FrmMain& w) {
    QStringList diffs;
    const ivc::MainModel& m = w.model();
    const auto same = [&diffs](const QWidget* widget, bool on, bool rest) {
        if (widget->testAttribute(Qt::WA_ForceDisabled) == on || !rest)
            diffs << widget->objectName();
    };
    for (ivc::ListId id : ivc::allLists())
        for (int s = 0; s < ivc::instances(id); ++s) {
            const auto* c = find<QComboBox>(w, QString::fromStdString(ivc::objectName({id, s})));
            const ivc::ListState& l = m.list({id, s});
            bool rows = c->count() == static_cast<int>(l.rows.size());
            for (int i = 0; rows && i < c->count(); ++i)
                rows = c->itemText(i).toStdString() == l.rows[static_cast<std::size_t>(i)];
            same(c, l.enabled, c->currentIndex() == l.selected && rows);
        }
    for (ivc::CheckId id : ivc::allChecks())
        for (int s = 0; s < ivc::instances(id); ++s) {
            const auto* c = find<QCheckBox>(w, QString::fromStdString(ivc::objectName({id, s})));
            same(c, m.check({id, s}).enabled, c->isChecked() == m.check({id, s}).checked);
        }
    for (std::size_t i = 0; i < ivc::kLabelCount; ++i) {
        const auto id = static_cast<ivc::LabelId>(i);
        const auto* label = find<QLabel>(w, QString::fromUtf8(ivc::name(id).data()));
        same(label, true, label->text().toStdString() == m.caption(id));
    }
    same(find(w, "txtName"), true, find<QLineEdit>(w, "txtName")->text().toStdString() == m.name());
    return diffs;
}

// The window shows what its model holds, and that is `expected`.
void expectShown(const FrmMain& w, const ivc::Controls& expected) {
    QCOMPARE(mirrorDifferences(w), QStringList());
    QCOMPARE(describeDifferences(w.model().controls(), expected), std::string());
}

// Carries a random reachable action out through its widget.
void actThroughWidgets(const FrmMain& w, std::mt19937& rng) {
    ivc::test::Action a = randomAction(w.model(), rng);
    while (isPress(a, ivc::ButtonId::Print)) // the card has tests of its own
        a = randomAction(w.model(), rng);
    if (const auto* pick = std::get_if<0>(&a))
        find<QComboBox>(w, QString::fromStdString(ivc::objectName(pick->first)))
            ->setCurrentIndex(pick->second);
    else if (const auto* box = std::get_if<ivc::CheckRef>(&a))
        find<QCheckBox>(w, QString::fromStdString(ivc::objectName(*box)))->click();
    else
        find<QPushButton>(w, QString::fromUtf8(info(std::get<ivc::ButtonId>(a)).name.data()))
            ->click();
}

} // namespace

class TestDesignFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void saveReopenUndoRedoThroughTheMenus();
    void exitAsksAboutUnsavedChanges();
    void randomRunsUndoToTheStartAndRedoToTheEnd();
};

// The walk-through design saved through File > Save (as the committed example), changed
// and undone, reopened through File > Open after the question, then its reset undone and
// redone and a run of typing undone as one step.
void TestDesignFiles::saveReopenUndoRedoThroughTheMenus() {
    QTemporaryDir dir;
    const QString path = dir.filePath("warden.ivc");
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    QCOMPARE(w.windowTitle(), kTitle);
    act(w, kTypical);
    QCOMPARE(actionText(w, "mnuUndo"), "&Undo Calculate");
    QCOMPARE(w.undoStack()->command(w.undoStack()->count() - 5)->text(),
             QString("Beam Cannon, slot 1"));
    answerFileDialog(path);
    trigger(w, "mnuSave");
    QCOMPARE(readAll(path), readAll(QString(IVC_TEST_DATA "/typical.ivc")));
    QCOMPARE(w.windowTitle(), QString("warden.ivc[*] \u2014 ") + kTitle);
    QVERIFY(!w.isWindowModified());

    act(w, "chkTwin1_0");
    QVERIFY(w.isWindowModified());
    QCOMPARE(actionText(w, "mnuUndo"), "&Undo Twin Linked, slot 1");
    trigger(w, "mnuUndo");
    QVERIFY(find<QCheckBox>(w, "chkTwin1_0")->isChecked() && !w.isWindowModified());
    QCOMPARE(actionText(w, "mnuRedo"), "&Redo Twin Linked, slot 1");

    act(w, "cmdReset");
    answers.queue("Discard");
    answerFileDialog(path);
    trigger(w, "mnuOpen");
    QCOMPARE(answers.seen, QStringList("Ironvale Vehicle Creator: Save changes to this design? "
                                       "[*Save Cancel Discard]"));
    QCOMPARE(caption(w, "lblPoints"), "130");
    QVERIFY(!w.findChild<QAction*>("mnuUndo")->isEnabled());
    const ivc::Controls opened = w.model().controls();

    act(w, "cmdReset");
    QCOMPARE(caption(w, "lblPoints"), QString());
    trigger(w, "mnuUndo");
    expectShown(w, opened);
    trigger(w, "mnuRedo");
    QVERIFY(find(w, "fraRace")->isEnabled() && caption(w, "lblPoints").isEmpty());
    trigger(w, "mnuUndo");

    QTest::keyClicks(find(w, "txtName"), "-II");
    QCOMPARE(actionText(w, "mnuUndo"), "&Undo Vehicle Name");
    trigger(w, "mnuUndo");
    QCOMPARE(find<QLineEdit>(w, "txtName")->text(), "Warden");
    expectShown(w, opened);
}

// "E&xit" asks only when unsaved work would be lost; Cancel keeps the window open.
void TestDesignFiles::exitAsksAboutUnsavedChanges() {
    const std::tuple<QString, QString, bool> cases[] = {
        // what the user did, the answer (none: no question), whether the window closed
        {"", "", true},
        {"lstRace=Grak, cmdReset", "", true}, // back to a fresh start
        {"lstRace=Grak", "Cancel", false},
        {"txtName=Hulk", "Discard", true},
        {"lstRace=Grak", "Save", true}};
    for (const auto& [steps, answer, closed] : cases) {
        QTemporaryDir dir;
        FrmMain w;
        w.show();
        BoxAnswerer answers;
        answers.queue(answer);
        act(w, steps);
        if (answer == "Save")
            answerFileDialog(dir.filePath("grak"));
        act(w, "cmdExit");
        QCOMPARE(answers.seen.size(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(!w.isVisible(), closed);
        QCOMPARE(QFile::exists(dir.filePath("grak.ivc")), answer == "Save");
    }
}

// Random runs through the widgets, every change a step, the window showing what the model
// holds after each: undone one by one, the window shows each earlier state again down to a
// fresh start; redone, each later one up to the end.
void TestDesignFiles::randomRunsUndoToTheStartAndRedoToTheEnd() {
    for (const unsigned seed : {21u, 22u, 23u}) {
        std::mt19937 rng(seed);
        FrmMain w;
        w.show();
        BoxAnswerer answers;
        std::vector<ivc::Controls> states{w.model().controls()};
        // A step for each change that shows, none for one that does not.
        const auto check = [&](int before) {
            QCOMPARE(mirrorDifferences(w), QStringList());
            QCOMPARE(w.undoStack()->count() != before, w.model().controls() != states.back());
            if (w.undoStack()->count() != before)
                states.push_back(w.model().controls());
        };
        for (int i = 0; i < 400; ++i) {
            int before = w.undoStack()->count();
            actThroughWidgets(w, rng);
            check(before);
            if (i % 25 == 0) {
                before = w.undoStack()->count();
                QTest::keyClicks(find(w, "txtName"), "ab");
                check(before);
            }
        }
        QCOMPARE(std::size_t(w.undoStack()->count()), states.size() - 1);
        for (std::size_t i = states.size() - 1; i-- > 0;) {
            trigger(w, "mnuUndo");
            expectShown(w, states[i]);
        }
        QVERIFY(!w.isWindowModified());
        for (std::size_t i = 1; i < states.size(); ++i) {
            trigger(w, "mnuRedo");
            expectShown(w, states[i]);
        }
    }
}

QTEST_MAIN(TestDesignFiles)
#include "test_designFiles.moc"
