// The windows read well to eyes, keys and screen readers: lists show their rows, every
// control has a name that says what it is, access keys act on the first press, the tabs
// switch from any control, windows fit the screen, closed controls look closed.
#include "common/typical_design.h"
#include "uitest.h"

#include "core/card.h"
#include "ui/desktop.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"
#include "ui/frmPrint.h"
#include "ui/frmRules.h"
#include "ui/listBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QtTest>

using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::ListBox;

namespace {

const QString kWarMachine = QStringLiteral(
    "lstRace=Thrane, lstType=Tank, lstSize=War Machine, cmdNext1, lstFArmor=12, lstSArmor=11, "
    "lstRArmor=10, lstOpen=Fully Armored, cmdNext4, lstWpn1_0=Heavy Atomizer Cannon");

QString spoken(QObject* o, QAccessible::Text t) {
    return QAccessible::queryAccessibleInterface(o)->text(t);
}

QPalette darkPalette() {
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    // Set for every group alike, as hand-made dark palettes often are.
    for (auto [role, colour] : {std::pair{QPalette::Base, QColor(0x23, 0x23, 0x23)},
                                {QPalette::Text, QColor(0xe0, 0xe0, 0xe0)},
                                {QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0)},
                                {QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0)}})
        p.setColor(role, colour);
    return p;
}

} // namespace

class TestAccess : public QObject {
    Q_OBJECT
private slots:
    void listsShowTheirRows();
    void everyControlSaysWhatItIs();
    void keysActOnTheFirstPress_data();
    void keysActOnTheFirstPress();
    void focusFollowsTheRoad();
    void windowsFitTheScreen();
    void closedControlsLookClosed();
};

// Every row of every list, closed and open: the grid's short lists show theirs whole, an
// open list is as wide as its longest row, a cut row is whole in the tooltip.
void TestAccess::listsShowTheirRows() {
    FrmMain w;
    w.show();
    act(w, kWarMachine);
    for (ListBox* list : w.findChildren<ListBox*>()) {
        const QSignalBlocker quiet(list); // looking, not choosing
        const int was = list->currentIndex();
        const bool shortList = list->width() < 40;
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentIndex(row);
            const QString what = list->objectName() + ' ' + list->currentText();
            QVERIFY2(!shortList || list->showsWholeText(), qPrintable(what));
            QVERIFY2(list->showsWholeText() || list->currentTip().startsWith(list->currentText()),
                     qPrintable(what));
        }
        list->setCurrentIndex(was);
        // The grid's lists, named with their slot, are on the second tab.
        find<QTabWidget>(w, "SSTab1")->setCurrentIndex(list->objectName().contains('_') ? 1 : 0);
        if (!list->isEnabled())
            continue;
        list->showPopup();
        const QAbstractItemView* rows = list->view();
        QTRY_VERIFY(rows->isVisible());
        QVERIFY2(rows->viewport()->width() >= rows->sizeHintForColumn(0),
                 qPrintable(list->objectName()));
        list->hidePopup();
    }
    // A weapon's name too long for its list, with the rule of a column or alone.
    auto* weapon = find<ListBox>(w, "lstWpn1_0");
    QVERIFY(!weapon->showsWholeText());
    QCOMPARE(weapon->currentTip(), QStringLiteral("Heavy Atomizer Cannon"));
    act(w, "lstSlow_0=-4");
    QCOMPARE(find<ListBox>(w, "lstSlow_0")->currentTip(),
             ivc::ui::FrmRules::firstSentence("Slow Fire Rate"));
}

// Qt's accessibility interface, which the AT-SPI bridge serves to screen readers: a list is
// named for what it is and reports its row as its value, whatever row is chosen.
void TestAccess::everyControlSaysWhatItIs() {
    FrmMain w;
    w.show();
    const auto names = [&w] {
        QStringList all;
        for (QWidget* c : w.findChildren<QWidget*>(QRegularExpression("^(lst|chk|txt)")))
            all << spoken(c, QAccessible::Name);
        return all;
    };
    const QStringList before = names();
    act(w, "txtName=Warden, lstRace=Concord, lstType=Tank, lstSize=Normal, cmdNext1, "
           "lstFArmor=12, lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4, "
           "lstWpn1_2=Beam Cannon, lstSlow_2=-3, lstNumber_2=4, chkTwin1_2, lstStructure=2");
    QCOMPARE(names(), before);
    QCOMPARE(QSet<QString>(before.begin(), before.end()).size(), before.size());
    for (const QString& name : before)
        QVERIFY(!name.isEmpty());
    const QStringList expected = {"lstRace: Race = Concord",
                                  "lstFArmor: Front armour = 12",
                                  "lstSlow_2: Slot 3 Slow Fire = -3",
                                  "lstNumber_2: Slot 3 Number = 4",
                                  "lstWpn1_2: Slot 3 Weapon = Beam Cannon",
                                  "lstBattery_7: Slot 8 Gun Battery = 0",
                                  "chkTwin1_2: Slot 3 Twin Linked = ",
                                  "txtName: Vehicle Name = Warden",
                                  "cmdReset: Reset = "};
    for (const QString& row : expected) {
        QObject* o = find(w, row.section(':', 0, 0));
        QCOMPARE(o->objectName() + ": " + spoken(o, QAccessible::Name) + " = " +
                     spoken(o, QAccessible::Value),
                 row);
    }
    // AT-SPI readers take a list's value from its text.
    QAccessibleInterface* slow = QAccessible::queryAccessibleInterface(find(w, "lstSlow_2"));
    QCOMPARE(slow->role(), QAccessible::ComboBox);
    QCOMPARE(slow->textInterface()->text(0, slow->textInterface()->characterCount()), "-3");
    QVERIFY(QAccessible::queryAccessibleInterface(find(w, "chkTwin1_2"))->state().checked);

    // The help windows and the card: every control named, buttons after their captions.
    ivc::ui::FrmRules rules;
    ivc::ui::FrmAbout about;
    ivc::ui::FrmPrint card;
    card.showCard(ivc::makeCard(ivc::test::typicalDesign("Warden")));
    card.hide();
    QCOMPARE(spoken(find(rules, "cmdClose"), QAccessible::Name), QStringLiteral("Close"));
    QCOMPARE(spoken(find(about, "cmdOK"), QAccessible::Name), QStringLiteral("OK"));
    for (const QWidget* window : std::initializer_list<const QWidget*>{&rules, &about})
        for (QLabel* label : window->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                QCOMPARE(spoken(label, QAccessible::Name), label->text());
    // A figure, on the card and on the main window, is heard with what it is.
    for (QLabel* label : card.findChildren<QLabel*>())
        QVERIFY2(spoken(label, QAccessible::Name).endsWith(label->text()) &&
                     !spoken(label, QAccessible::Name).isEmpty(),
                 qPrintable(label->objectName()));
    QCOMPARE(spoken(find(card, "lblWeapons_0"), QAccessible::Name),
             QStringLiteral("Weapon 1: 1x Twin Linked Beam Cannon"));
    QCOMPARE(spoken(find(card, "lblSpecial_5"), QAccessible::Name),
             QStringLiteral("Special Option 6"));
    QCOMPARE(spoken(find(card, "lblPoints"), QAccessible::Name), QStringLiteral("Points: 130"));
    act(w, "cmdCalculate");
    QCOMPARE(spoken(find(w, "lblPoints"), QAccessible::Name), QStringLiteral("Points: 242"));
    QCOMPARE(spoken(find(w, "lblMaxArmor"), QAccessible::Name),
             QStringLiteral("Max Armor (Max Facing): 56   (14)"));
}

void TestAccess::keysActOnTheFirstPress_data() {
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("then"); // the step that must have happened, or the open menu
    QTest::newRow("Alt+R resets") << (Qt::ALT | Qt::Key_R) << "lstRace=-1";
    QTest::newRow("Alt+N confirms") << (Qt::ALT | Qt::Key_N) << "fraArmor";
    QTest::newRow("Alt+H opens Help") << (Qt::ALT | Qt::Key_H) << "mnuHelp";
    QTest::newRow("Alt+F opens File") << (Qt::ALT | Qt::Key_F) << "mnuFile";
    QTest::newRow("Alt+E opens Edit") << (Qt::ALT | Qt::Key_E) << "mnuEdit";
    QTest::newRow("F10 then Right opens Edit") << QKeyCombination(Qt::Key_F10) << "mnuEdit";
    QTest::newRow("Alt then R opens Rules") << QKeyCombination(Qt::Key_Alt) << "mnuSpecial";
    QTest::newRow("Ctrl+Tab") << (Qt::CTRL | Qt::Key_Tab) << "tab 1";
    QTest::newRow("Ctrl+Shift+Tab") << (Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab) << "tab 1";
    QTest::newRow("Ctrl+PageDown") << (Qt::CTRL | Qt::Key_PageDown) << "tab 1";
    QTest::newRow("Ctrl+PageUp") << (Qt::CTRL | Qt::Key_PageUp) << "tab 1";
}

// Each key once, with the focus on a list that has a row chosen; it acts, and the list keeps
// its row unless the key was meant for it.
void TestAccess::keysActOnTheFirstPress() {
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, then);
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    act(w, "lstRace=Grak, lstType=Tank, lstSize=Normal");
    auto* race = find<QComboBox>(w, "lstRace");
    race->setFocus();
    QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    if (keys.key() == Qt::Key_F10) // to the open menu, which has the keyboard
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    if (keys.key() == Qt::Key_F10 || keys.key() == Qt::Key_Alt)
        QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                          : QApplication::focusWidget(),
                        keys.key() == Qt::Key_F10 ? Qt::Key_Right : Qt::Key_R);
    if (then.startsWith("mnu")) {
        auto* menu = w.findChild<QMenu*>(then);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    } else if (then.startsWith("tab")) {
        QCOMPARE(find<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
    } else if (then.contains('=')) {
        QTRY_COMPARE(race->currentIndex(), -1);
    } else {
        QTRY_VERIFY(find(w, then)->isEnabled());
    }
    QCOMPARE(race->currentIndex(), then.contains('=') ? -1 : 5);
}

// The focus starts where a design starts and moves on to the step each "&Next" opens.
void TestAccess::focusFollowsTheRoad() {
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lstRace"));
    act(w, "lstRace=Concord, lstType=Tank, lstSize=Normal");
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lstFArmor"));
    act(w, "lstFArmor=12, lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored");
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // from the other tab: not reachable
    QCOMPARE(find(w, "fraArmor")->isEnabled(), true);
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("chkAmphib"));
}

// Run at 1x, 1.5x and 2x on a 1920 x 1080 screen: each window with its frame and a title
// bar lies inside the screen's free area, and the rules window's Close button inside it.
void TestAccess::windowsFitTheScreen() {
    FrmMain main;
    ivc::ui::FrmRules rules(&main);
    ivc::ui::FrmAbout about(&main);
    QMessageBox box(QMessageBox::NoIcon, "Missing Data", "Select a race, type, and size please.",
                    QMessageBox::Ok, &main);
    main.show();
    for (QWidget* window : std::initializer_list<QWidget*>{&main, &rules, &about, &box}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect free = window->screen()->availableGeometry();
        QRect outer = window->frameGeometry();
        if (outer == window->geometry()) // a platform without frames: allow for one
            outer.adjust(-4, -4 - 30, 4, 4);
        QVERIFY2(free.contains(outer), qPrintable(QStringLiteral("%1 %2x%3 in %4x%5")
                                                      .arg(window->objectName())
                                                      .arg(outer.width())
                                                      .arg(outer.height())
                                                      .arg(free.width())
                                                      .arg(free.height())));
        window->hide();
    }
    const QWidget* close = find(rules, "cmdClose");
    QVERIFY(rules.rect().contains(close->geometry()));
    QCOMPARE(rules.width() - close->geometry().right(), 11); // as designed
}

// With a dark palette that greys nothing, an open and a closed box of the weapon grid still
// differ on screen, and a caption is closed with its list.
void TestAccess::closedControlsLookClosed() {
    QApplication::setPalette(darkPalette());
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(find(w, "lstStructure")->isEnabled() == find(w, "Label25")->isEnabled());
    QVERIFY(!find(w, "Label25")->isEnabled());
    act(w, kWarMachine);
    QVERIFY(find(w, "Label25")->isEnabled());
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    QWidget* open = find(w, "chkCoax1_0");
    QWidget* closed = find(w, "chkTitan_0");
    QVERIFY(open->isEnabled() && !closed->isEnabled());
    QVERIFY(open->grab().toImage() != closed->grab().toImage());
    QCOMPARE(w.windowIcon().availableSizes().size(), 3);
    QApplication::setPalette(QPalette());
}

QTEST_MAIN(TestAccess)
#include "test_access.moc"
