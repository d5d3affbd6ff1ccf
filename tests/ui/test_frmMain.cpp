#include "ui/frmMain.h"
#include "ui/frmPrint.h"
#include "ui/frmRules.h"
#include "ui/twips.h"
#include "uitest.h"

#include <QtTest>

using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::twipsRect;

namespace {

const QString kHull = QStringLiteral("lstRace=Bastion, lstType=Tank, lstSize=Normal, cmdNext1");
const QString kArmour =
    QStringLiteral("lstFArmor=9, lstSArmor=9, lstRArmor=9, lstOpen=Open-Topped, cmdNext4");

// The names among `names` (separated by spaces) whose widgets are enabled.
QString enabledOf(const QWidget& w, const QString& names) {
    QStringList on;
    for (const QString& name : names.split(' '))
        if (find(w, name)->isEnabled())
            on << name;
    return on.join(' ');
}

// Upgrade and count controls of slot 0.
const QString kSlot0 =
    QStringLiteral("chkBlast1_0 chkCoax1_0 chkGatling1_0 chkLong1_0 chkShort_0 chkMega1_0 chkAA1_0 "
                   "chkTargeter1_0 lstBattery_0 chkTwin1_0 lstSlow_0 chkTitan_0 lstNumber_0");

// What a user sees of every widget: enabled, ticked or chosen, caption, and the rows of
// the lists but those of weapons and close combat, which the first step refills anyway.
QStringList snapshot(const QWidget& w) {
    QStringList lines;
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        const QMetaProperty user = c->metaObject()->userProperty();
        QString line = QStringLiteral("%1 %2 %3 %4")
                           .arg(c->objectName())
                           .arg(c->isEnabled())
                           .arg(user.isValid() ? user.read(c).toString() : QString(),
                                c->property("text").toString());
        const auto* list = qobject_cast<const QComboBox*>(c);
        for (int i = 0;
             list && !line.contains(QRegularExpression("^lst(Wpn1|CCW)")) && i < list->count(); ++i)
            line += "," + list->itemText(i);
        lines << line;
    }
    lines.sort();
    return lines;
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void layoutEssentials();
    void roadOpensFramesAndTellsWhatIsMissing_data();
    void roadOpensFramesAndTellsWhatIsMissing();
    void weaponSlotWalksTheWorkedExample();
    void optionsAndFieldsTickThroughTheirBoxes();
    void resetEqualsAFreshWindow();
    void accessKeysPressTheirButtons();
    void typicalDesignOnTheCard();
    void menusOpenTheirWindows_data();
    void menusOpenTheirWindows();
};

void TestFrmMain::layoutEssentials() {
    FrmMain w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Ironvale Vehicle Creator"));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(find(w, "clientArea")->size(), twipsRect(0, 0, 11415, 7065).size());
    QCOMPARE(find(w, "lstNumber_7")->geometry(), twipsRect(10560, 4320, 495, 315));

    // Keyboard and screen-reader users can tell the 112 controls of the weapon grid apart.
    QSet<QString> spoken;
    for (const QWidget* c : find(w, "fraWeap")->findChildren<QWidget*>(QRegularExpression("_\\d$")))
        spoken.insert(c->accessibleName());
    QCOMPARE(spoken.size(), 8 * 14);
    QCOMPARE(find(w, "chkTwin1_2")->accessibleName(), QStringLiteral("Slot 3 Twin Linked"));
    QCOMPARE(find(w, "chkTitan_4")->toolTip(), ivc::ui::FrmRules::firstSentence("Titan Killer"));
    QVERIFY(find(w, "chkAmphib")->toolTip().endsWith('.'));

    // Tab walks the road of a design: hull, armour, options, weapons, then the commands.
    QStringList chain;
    for (QWidget* at = find(w, "txtName"); chain.size() < 200; at = at->nextInFocusChain())
        chain << at->objectName();
    qsizetype last = -1;
    for (const char* name : {"lstRace", "cmdNext1", "lstOpen", "cmdNext4", "chkAmphib", "lstCCW",
                             "lstWpn1_0", "lstNumber_7", "cmdCalculate", "cmdExit"}) {
        QVERIFY2(chain.indexOf(name) > last, name);
        last = chain.indexOf(name);
    }
}

void TestFrmMain::roadOpensFramesAndTellsWhatIsMissing_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("fresh") << QString() << "fraRace cmdReset" << QStringList();
    QTest::newRow("no race") << "lstType=Tank, lstSize=Normal, cmdNext1"
                             << "fraRace cmdReset"
                             << QStringList(
                                    "Missing Data: Select a race, type, and size please. [Ok]");
    QTest::newRow("bad armour")
        << "lstRace=Bastion, lstType=Light Vehicle, lstSize=Normal, cmdNext1, "
           "lstSArmor=10, lstRArmor=9, lstOpen=Fully Armored, cmdNext4, "
           "lstFArmor=12, lstSArmor=12, cmdNext4"
        << "fraArmor cmdReset"
        << QStringList{"Missing Data: Please choose armor values. [Ok]",
                       "Error: Too much armor [Ok]"};
    QTest::newRow("armour") << kHull + ", " + kArmour
                            << "fraSpecial fraCCW fraWeap cmdCalculate cmdReset" << QStringList();
    QTest::newRow("total") << kHull + ", " + kArmour + ", cmdCalculate"
                           << "fraSpecial fraCCW fraWeap cmdCalculate cmdReset cmdPrint"
                           << QStringList();
}

// The frames open one after the other; each message comes once, as a real modal box with
// OK only and no icon.
void TestFrmMain::roadOpensFramesAndTellsWhatIsMissing() {
    QFETCH(QString, steps);
    QFETCH(QString, open);
    QFETCH(QStringList, boxes);
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    act(w, steps);
    QCOMPARE(enabledOf(w, "fraRace fraArmor fraSpecial fraCCW fraWeap cmdCalculate cmdReset "
                          "cmdPrint"),
             open);
    QCOMPARE(answers.seen, boxes);
}

// One slot through its widgets: a heavy weapon with upgrades and a count, then a light one
// that clears them and opens only its own class's controls.
void TestFrmMain::weaponSlotWalksTheWorkedExample() {
    FrmMain w;
    w.show();
    act(w, kHull + ", " + kArmour + ", lstWpn1_0=Beam Cannon");
    QCOMPARE(enabledOf(w, kSlot0), "chkBlast1_0 chkCoax1_0 chkGatling1_0 chkLong1_0 "
                                   "chkShort_0 chkMega1_0 chkAA1_0 chkTwin1_0 lstSlow_0 "
                                   "lstNumber_0");
    act(w, "chkTwin1_0, chkMega1_0, chkTitan_0, lstNumber_0=3"); // Mega opens Titan Killer
    QVERIFY(find<QCheckBox>(w, "chkTitan_0")->isChecked());
    act(w, "lstWpn1_0=Slugger");
    for (const QCheckBox* box : w.findChildren<QCheckBox*>(QRegularExpression("_0$")))
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    QCOMPARE(find<QComboBox>(w, "lstNumber_0")->currentText(), QStringLiteral("1"));
    QCOMPARE(enabledOf(w, kSlot0), "chkCoax1_0 chkTwin1_0 lstNumber_0");
}

// The model's answers to ticks and picks reach the widgets: refused counts are cleared,
// accepted ones open their boxes, ticked ones lock their lists; each refusal is told once.
void TestFrmMain::optionsAndFieldsTickThroughTheirBoxes() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    act(w, "lstRace=Grak, lstType=Light Vehicle, lstSize=Normal, cmdNext1, " + kArmour +
               ", chkAmphib, chkLander, chkAmphib, lstTransport=12");
    QCOMPARE(find<QComboBox>(w, "lstTransport")->currentIndex(), -1);
    act(w, "lstTransport=11, chkTransport, lstGrakF=2");
    QCOMPARE(find<QComboBox>(w, "lstGrakF")->currentIndex(), -1);
    QCOMPARE(enabledOf(w, "lstTransport chkTransport lstGrakF chkGrakF"), "chkTransport lstGrakF");
    act(w, "lstGrakF=1, chkGrakF, chkTransport, chkSouped");
    QCOMPARE(enabledOf(w, "lstTransport chkTransport lstGrakF chkGrakF"),
             "lstTransport chkTransport chkGrakF");
    QCOMPARE(w.model().record().intOptionPts, 30 + 15); // Orbital Lander, one Grak field
    QCOMPARE(caption(w, "lblSpeed"), QStringLiteral("Fast"));
    QCOMPARE(answers.seen, QStringList({"Too many troops: This vehicle can transport at most 11 "
                                        "models with its structure points. [Ok]",
                                        "Too many shields: Cannot have more shields than "
                                        "structure points. [Ok]"}));
}

void TestFrmMain::resetEqualsAFreshWindow() {
    FrmMain fresh;
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    act(w, "txtName=Hulk, lstRace=Veyra, lstType=Flyer, lstSize=War Machine, cmdNext1, "
           "lstFArmor=10, lstSArmor=10, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, "
           "lstWpn1_3=Big Smart Bomb, lstWpn1_4=Sun Spear, chkMega1_4, chkTitan_4, "
           "lstStructure=5, lstVeyraF=4, chkVeyraF, chkLander, lstCCW=War Machine CCW, "
           "cmdCalculate, cmdReset");
    act(fresh, "txtName=Hulk"); // the name is kept
    QCOMPARE(snapshot(w), snapshot(fresh));
    QCOMPARE(answers.seen, QStringList());
}

void TestFrmMain::accessKeysPressTheirButtons() {
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    act(w, kHull.section(QStringLiteral(", cmd"), 0, 0));
    // A button's access key clicks it after a short press animation.
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // the race frame's Next
    QTRY_VERIFY(find(w, "fraArmor")->isEnabled());
    act(w, kArmour.section(QStringLiteral(", cmd"), 0, 0));
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // now the armour frame's Next
    QTRY_VERIFY(find(w, "fraWeap")->isEnabled());
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(caption(w, "lblPoints"), QStringLiteral("15"));
    QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!w.isVisible());
}

// "&Print" shows the card in place of the main window, which comes back on No with the
// design unchanged; the card carries the design made through the widgets.
void TestFrmMain::typicalDesignOnTheCard() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    answers.queue("No");
    act(w, "txtName=Warden, lstRace=Concord, lstType=Tank, lstSize=Normal, cmdNext1, "
           "lstFArmor=12, lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, "
           "lstWpn1_0=Beam Cannon, chkTwin1_0, chkSkimmer, lstCCW=CCW, cmdCalculate, cmdPrint");
    QTRY_VERIFY(w.isVisible());
    QCOMPARE(answers.windows, QList<QStringList>({{"frmPrint"}}));
    QVERIFY(!w.cardWindow()->isVisible());
    QCOMPARE(caption(w, "lblPoints"), QStringLiteral("130"));
    const QString card = QStringLiteral(
        "lblName=Warden; lblPoints=130; lblFArmor=12; lblSArmor=11; lblRArmor=10; lblWS=3; "
        "lblBS=3; lblS=4; lblI=3; lblA=0; lblType=Tank; lblSize=Normal; lblSpeed=Normal; "
        "lblCategory=Heavy Support; lblStructure=; lblWeapons_0=1x Twin Linked Beam Cannon; "
        "lblWeapons_1=1x None; lblWeapons_7=1x None; lblCCW=CCW; lblNumCCW=0; "
        "lblSpecial_0=Fully Armored; lblSpecial_1=Skimmer; lblSpecial_2=; lblSpecial_7=");
    QCOMPARE(captions(*w.cardWindow(), card), card);
}

void TestFrmMain::menusOpenTheirWindows_data() {
    QTest::addColumn<QString>("dialog"); // the rows are named after the menu entries
    QTest::newRow("mnuRules") << QStringLiteral("frmRules");
    QTest::newRow("mnuAbout") << QStringLiteral("frmAbout");
    QTest::newRow("mnuExit") << QString();
}

// The help windows are modal and live only while open; Exit closes the main window.
void TestFrmMain::menusOpenTheirWindows() {
    QFETCH(QString, dialog);
    FrmMain w;
    w.show();
    QPointer<QWidget> open;
    QString seen;
    QTimer::singleShot(50, &w, [&] {
        open = QApplication::activeModalWidget();
        seen = open ? open->objectName() : QString();
        if (open)
            open->close();
    });
    w.findChild<QAction*>(QTest::currentDataTag())->trigger(); // returns once a dialog is closed
    QCOMPARE(seen, dialog);
    QVERIFY(open.isNull());
    QCOMPARE(w.isVisible(), !dialog.isEmpty());
}

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
