// The windows read well to keys and screen readers and fit the screen.
#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmMain;

class TestAccess : public QObject {
    Q_OBJECT
private slots:
    void screenReadersHearWhatEachControlIs();
    void windowsFitTheScreen();
    void closedControlsLookClosed();
};

// Qt's accessibility interface, which the AT-SPI bridge serves to screen readers: every
// control is named for what it is, whatever is chosen, and a list reports its row as its
// value; a cut row is whole in its tooltip.
void TestAccess::screenReadersHearWhatEachControlIs() {
    FrmMain w;
    w.show();
    const auto spoken = [&w](const QString& name, QAccessible::Text t = QAccessible::Name) {
        return QAccessible::queryAccessibleInterface(find(w, name))->text(t);
    };
    const auto names = [&w, &spoken] {
        QStringList all;
        for (QWidget* c : w.findChildren<QWidget*>(QRegularExpression("^(lst|chk|txt)")))
            all << spoken(c->objectName());
        return all;
    };
    const QStringList before = names();
    act(w, "lstRace=Thrane, lstType=Tank, lstSize=War Machine, cmdNext1, lstFArmor=12, "
           "lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, "
           "lstWpn1_2=Heavy Atomizer Cannon, lstNumber_2=4, chkBlast1_2, cmdCalculate");
    QCOMPARE(names(), before);
    QCOMPARE(QSet<QString>(before.begin(), before.end()).size(), before.size());
    QVERIFY(!before.contains(QString()));
    QCOMPARE(spoken("lstRace") + ", " + spoken("lstNumber_2") + " " +
                 spoken("lstNumber_2", QAccessible::Value) + ", " + spoken("chkBlast1_2") + ", " +
                 spoken("lblMaxArmor"),
             "Race, Slot 3 Number 4, Slot 3 Blast, Max Armor (Max Facing): 56   (14)");
    QCOMPARE(spoken("lblPoints"), "Points: " + caption(w, "lblPoints"));
    auto* weapon = find<ivc::ui::ListBox>(w, "lstWpn1_2");
    QVERIFY(!weapon->showsWholeText());
    QCOMPARE(weapon->currentTip(), "Heavy Atomizer Cannon");
}

// Run at 1x, 1.5x and 2x on a 1920 x 1080 screen: each window with its frame and a title
// bar lies inside the screen's free area, and the rules window's Close button inside it.
void TestAccess::windowsFitTheScreen() {
    FrmMain main;
    ivc::ui::FrmRules rules(&main);
    ivc::ui::FrmAbout about(&main);
    main.show();
    for (QWidget* window : std::initializer_list<QWidget*>{&main, &rules, &about}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QRect outer = window->frameGeometry();
        if (outer == window->geometry()) // a platform without frames: allow for one
            outer.adjust(-4, -4 - 30, 4, 4);
        QVERIFY2(window->screen()->availableGeometry().contains(outer),
                 qPrintable(window->objectName()));
        window->hide();
    }
    QCOMPARE(rules.width() - find(rules, "cmdClose")->geometry().right(), 11); // as designed
}

// With a dark palette that greys nothing, an open and a closed box of the weapon grid still
// differ on screen, and a caption is closed with its list.
void TestAccess::closedControlsLookClosed() {
    const QColor text(0xe0, 0xe0, 0xe0), ground(0x35, 0x35, 0x35), base(0x23, 0x23, 0x23);
    QApplication::setPalette(
        QPalette(text, ground, ground, ground, ground, text, text, base, ground));
    FrmMain w;
    w.show();
    QVERIFY(!find(w, "Label25")->isEnabled()); // beside the closed structure list
    act(w, "lstRace=Thrane, lstType=Tank, lstSize=War Machine, cmdNext1, lstFArmor=12, "
           "lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, lstWpn1_0=Heavy Atomizer "
           "Cannon");
    QVERIFY(find(w, "Label25")->isEnabled());
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    QWidget* open = find(w, "chkCoax1_0");
    QWidget* closed = find(w, "chkTitan_0");
    QVERIFY(open->isEnabled() && !closed->isEnabled());
    QVERIFY(open->grab().toImage() != closed->grab().toImage());
    const QPalette& shown = find(w, "Label25")->palette();
    QVERIFY(shown.color(QPalette::Disabled, QPalette::WindowText) != text); // greyed text
    QApplication::setPalette(QPalette());
}

QTEST_MAIN(TestAccess)
#include "test_access.moc"
