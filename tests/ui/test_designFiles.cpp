#include "common/random_actions.h"
#include "ui/frmMain.h"
#include "uitest.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <malloc.h>

using namespace ivc::test;
using ivc::ui::FrmMain;

namespace {

const QString kTitle = QStringLiteral("Ironvale Vehicle Creator");
const QString kTypical = QStringLiteral(
    "txtName=Warden, lstRace=Concord, lstType=Tank, lstSize=Normal, cmdNext1, lstFArmor=12, "
    "lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, lstWpn1_0=Beam Cannon, "
    "chkTwin1_0, chkSkimmer, lstCCW=CCW, cmdCalculate");

// Answers the next (Qt, not native) file dialog with this path.
void answerFileDialog(const QString& path) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, path] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // presses Save or Open
            timer->deleteLater();
        }
    });
    timer->start(5);
}

void trigger(const FrmMain& w, const char* action) {
    w.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

QString actionText(const FrmMain& w, const char* action) {
    return w.findChild<QAction*>(QString::fromLatin1(action))->text();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What every control of the window shows: rows, choice, ticks, captions, enabled states.
QStringList shown(const FrmMain& w) {
    QStringList out;
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        QString state;
        if (const auto* list = qobject_cast<const QComboBox*>(c)) {
            QStringList rows;
            for (int i = 0; i < list->count(); ++i)
                rows << list->itemText(i);
            state = rows.join('|') + " @" + QString::number(list->currentIndex());
        } else if (const auto* box = qobject_cast<const QAbstractButton*>(c)) {
            state = box->isChecked() ? "on" : "off";
        } else if (const auto* label = qobject_cast<const QLabel*>(c)) {
            state = label->text();
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(c)) {
            state = edit->text();
        } else if (!qobject_cast<const QGroupBox*>(c)) {
            continue;
        }
        out << c->objectName() + '=' + state + (c->isEnabled() ? "" : " (closed)");
    }
    return out;
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
    void droppedAndRefusedFiles();
    void exitAsksAboutUnsavedChanges_data();
    void exitAsksAboutUnsavedChanges();
    void randomRunsUndoToTheStartAndRedoToTheEnd();
    void thousandStepsOfHistoryStayUnder16MiB();
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
    QCOMPARE(actionText(w, "mnuUndo"), QStringLiteral("&Undo Calculate"));
    QCOMPARE(w.undoStack()->command(w.undoStack()->count() - 5)->text(),
             QStringLiteral("Beam Cannon, slot 1"));
    answerFileDialog(path);
    trigger(w, "mnuSave");
    QCOMPARE(readAll(path), readAll(QStringLiteral(IVC_TEST_DATA "/typical.ivc")));
    QCOMPARE(w.windowTitle(), QStringLiteral("warden.ivc[*] \u2014 ") + kTitle);
    QVERIFY(!w.isWindowModified());

    act(w, "chkTwin1_0");
    QVERIFY(w.isWindowModified());
    QCOMPARE(actionText(w, "mnuUndo"), QStringLiteral("&Undo Twin Linked, slot 1"));
    trigger(w, "mnuUndo");
    QVERIFY(find<QCheckBox>(w, "chkTwin1_0")->isChecked() && !w.isWindowModified());
    QCOMPARE(actionText(w, "mnuRedo"), QStringLiteral("&Redo Twin Linked, slot 1"));

    act(w, "cmdReset");
    answers.queue("Discard");
    answerFileDialog(path);
    trigger(w, "mnuOpen");
    QCOMPARE(answers.seen, QStringList("Ironvale Vehicle Creator: Save changes to this design? "
                                       "[*Save Cancel Discard]"));
    QCOMPARE(caption(w, "lblPoints"), QStringLiteral("130"));
    QVERIFY(!w.findChild<QAction*>("mnuUndo")->isEnabled());
    const QStringList opened = shown(w);

    act(w, "cmdReset");
    QCOMPARE(caption(w, "lblPoints"), QString());
    trigger(w, "mnuUndo");
    QCOMPARE(shown(w), opened);
    trigger(w, "mnuRedo");
    QVERIFY(find(w, "fraRace")->isEnabled() && caption(w, "lblPoints").isEmpty());
    trigger(w, "mnuUndo");

    QTest::keyClicks(find(w, "txtName"), "-II");
    QCOMPARE(actionText(w, "mnuUndo"), QStringLiteral("&Undo Vehicle Name"));
    trigger(w, "mnuUndo");
    QCOMPARE(find<QLineEdit>(w, "txtName")->text(), QStringLiteral("Warden"));
    QCOMPARE(shown(w), opened);
}

// A design file dropped on the window opens after the question; a file that cannot be
// opened (as at start-up) is told and leaves the design as it was.
void TestDesignFiles::droppedAndRefusedFiles() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    act(w, "lstRace=Grak");
    const QStringList grak = shown(w);
    QVERIFY(!w.openFile(QStringLiteral(IVC_TEST_DATA "/none.ivc")));
    QCOMPARE(shown(w), grak);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral(IVC_TEST_DATA "/typical.ivc"))});
    const auto drop = [&] {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &event);
    };
    answers.queue("Cancel Discard");
    drop(); // Cancel keeps the design
    QCOMPARE(shown(w), grak);
    drop();
    QCOMPARE(caption(w, "lblPoints"), QStringLiteral("130"));
    QCOMPARE(answers.seen.first(), QStringLiteral("Open: Cannot open \"none.ivc\": No such file or "
                                                  "directory. [Ok]"));
    QCOMPARE(answers.seen.size(), 3);
}

void TestDesignFiles::exitAsksAboutUnsavedChanges_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answer"); // empty: no question
    QTest::addColumn<bool>("closed");
    QTest::newRow("untouched") << ""
                               << "" << true;
    QTest::newRow("back to a fresh start") << "lstRace=Grak, cmdReset"
                                           << "" << true;
    QTest::newRow("Cancel") << "lstRace=Grak"
                            << "Cancel" << false;
    QTest::newRow("Discard") << "txtName=Hulk"
                             << "Discard" << true;
    QTest::newRow("Save") << "lstRace=Grak"
                          << "Save" << true;
}

// "E&xit" asks only when unsaved work would be lost; Cancel keeps the window open.
void TestDesignFiles::exitAsksAboutUnsavedChanges() {
    QFETCH(QString, steps);
    QFETCH(QString, answer);
    QFETCH(bool, closed);
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

// Random runs through the widgets, every change a step: undone one by one, the window
// shows each earlier state again down to a fresh start; redone, each later one up to the
// end.
void TestDesignFiles::randomRunsUndoToTheStartAndRedoToTheEnd() {
    for (const unsigned seed : {21u, 22u, 23u}) {
        std::mt19937 rng(seed);
        FrmMain w;
        w.show();
        BoxAnswerer answers;
        QList<QStringList> states{shown(w)};
        // A step for each change that shows, none for one that does not.
        const auto check = [&](int before) {
            QCOMPARE(w.undoStack()->count() != before, shown(w) != states.back());
            if (w.undoStack()->count() != before)
                states << shown(w);
        };
        for (int i = 0; i < 150; ++i) {
            int before = w.undoStack()->count();
            actThroughWidgets(w, rng);
            check(before);
            if (i % 25 == 0) {
                before = w.undoStack()->count();
                QTest::keyClicks(find(w, "txtName"), "ab");
                check(before);
            }
        }
        QCOMPARE(w.undoStack()->count(), states.size() - 1);
        for (qsizetype i = states.size() - 2; i >= 0; --i) {
            trigger(w, "mnuUndo");
            QCOMPARE(shown(w), states[i]);
        }
        QVERIFY(!w.isWindowModified());
        for (qsizetype i = 1; i < states.size(); ++i) {
            trigger(w, "mnuRedo");
            QCOMPARE(shown(w), states[i]);
        }
    }
}

void TestDesignFiles::thousandStepsOfHistoryStayUnder16MiB() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    std::mt19937 rng(5);
    const std::size_t before = mallinfo2().uordblks;
    while (w.undoStack()->count() < 1000)
        actThroughWidgets(w, rng);
    const double mib = static_cast<double>(mallinfo2().uordblks - before) / (1024 * 1024);
    qInfo("1000 steps of history: %.2f MiB", mib);
    QVERIFY(mib < 16);
}

QTEST_MAIN(TestDesignFiles)
#include "test_designFiles.moc"
