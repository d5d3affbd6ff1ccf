#include "ui/frmMain.h"
#include "ui/frmPrint.h"
#include "ui/frmRules.h"
#include "uitest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using ivc::test::BoxAnswerer;
using ivc::ui::FrmMain;

namespace {

template <typename T> T* find(const QWidget& w, const QString& name) {
    T* child = w.findChild<T*>(name);
    if (child == nullptr)
        qFatal("no widget %s", qPrintable(name));
    return child;
}
QComboBox* list(const QWidget& w, const QString& name) {
    return find<QComboBox>(w, name);
}
QCheckBox* box(const QWidget& w, const QString& name) {
    return find<QCheckBox>(w, name);
}
QString caption(const QWidget& w, const QString& name) {
    return find<QLabel>(w, name)->text();
}
void pick(const QWidget& w, const QString& name, int row) {
    list(w, name)->setCurrentIndex(row);
}
void press(const QWidget& w, const QString& name) {
    find<QPushButton>(w, name)->click();
}

// Race, type and size rows, confirmed; then the armour rows, confirmed.
void hull(const QWidget& w, int race, int type, int size) {
    pick(w, "lstRace", race);
    pick(w, "lstType", type);
    pick(w, "lstSize", size);
    press(w, "cmdNext1");
}
void armour(const QWidget& w, int front, int side, int rear, int open) {
    pick(w, "lstFArmor", front);
    pick(w, "lstSArmor", side);
    pick(w, "lstRArmor", rear);
    pick(w, "lstOpen", open);
    press(w, "cmdNext4");
}

// What a user sees of every list, box, label and frame, for whole-window comparisons.
QStringList snapshot(const QWidget& w) {
    QStringList lines;
    for (const QComboBox* c : w.findChildren<QComboBox*>()) {
        QStringList rows;
        for (int i = 0; i < c->count(); ++i)
            rows << c->itemText(i);
        lines << QStringLiteral("%1 %2 %3 [%4]")
                     .arg(c->objectName())
                     .arg(c->currentIndex())
                     .arg(c->isEnabled())
                     .arg(c->objectName().startsWith("lstWpn1") || c->objectName() == "lstCCW"
                              ? QString()
                              : rows.join(','));
    }
    for (const QCheckBox* c : w.findChildren<QCheckBox*>())
        lines << QStringLiteral("%1 %2 %3")
                     .arg(c->objectName())
                     .arg(c->isChecked())
                     .arg(c->isEnabled());
    for (const QLabel* l : w.findChildren<QLabel*>())
        lines << QStringLiteral("%1 '%2'").arg(l->objectName(), l->text());
    for (const QWidget* b : w.findChildren<QWidget*>())
        if (qobject_cast<const QGroupBox*>(b) || qobject_cast<const QPushButton*>(b))
            lines << QStringLiteral("%1 %2").arg(b->objectName()).arg(b->isEnabled());
    lines.sort();
    return lines;
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheRaceFrame();
    void controlsAreNamedAndExplained();
    void missingChoicesAreReportedInAModalBox();
    void armourChecksReportTheFirstFailure();
    void typicalDesignTotals130();
    void weaponSlotClearsUpgradesOnANewWeapon();
    void optionsAndFieldsTickThroughTheirBoxes();
    void resetReturnsTheWindowToAFreshStart();
    void accessKeysPressTheirButtons();
    void helpWindowsAreModalAndShortLived();
    void printShowsTheCardAndHidesTheMainWindow();
    void exitClosesTheWindow();
};

void TestFrmMain::startsOnTheRaceFrame() {
    FrmMain w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Ironvale Vehicle Creator"));
    QCOMPARE(w.minimumSize(), w.maximumSize()); // fixed border
    QVERIFY(find<QGroupBox>(w, "fraRace")->isEnabled());
    for (const char* frame : {"fraArmor", "fraWeap", "fraSpecial", "fraCCW"})
        QVERIFY2(!find<QGroupBox>(w, frame)->isEnabled(), frame);
    QVERIFY(!find<QPushButton>(w, "cmdCalculate")->isEnabled());
    QVERIFY(!find<QPushButton>(w, "cmdPrint")->isEnabled());
    QVERIFY(find<QPushButton>(w, "cmdReset")->isEnabled());
    QCOMPARE(caption(w, "lblCCWCost"), QStringLiteral("0"));
    QCOMPARE(caption(w, "lblPoints"), QString());
    QCOMPARE(list(w, "lstRace")->currentIndex(), -1);
    QCOMPARE(list(w, "lstRace")->count(), 8);
    QVERIFY(list(w, "lstTransport")->isEnabledTo(find<QGroupBox>(w, "fraSpecial")));
    QCOMPARE(list(w, "lstTransport")->itemText(50), QStringLiteral("51"));
    for (int s = 0; s < 8; ++s) {
        const QString n = QString::number(s);
        QCOMPARE(list(w, "lstWpn1_" + n)->currentText(), QStringLiteral("None"));
        QCOMPARE(list(w, "lstBattery_" + n)->currentText(), QStringLiteral("0"));
        QCOMPARE(list(w, "lstSlow_" + n)->currentText(), QStringLiteral("0"));
        QCOMPARE(list(w, "lstNumber_" + n)->currentText(), QStringLiteral("1"));
        QVERIFY(!box(w, "chkTwin1_" + n)->isEnabled());
    }
}

void TestFrmMain::controlsAreNamedAndExplained() {
    FrmMain w;
    const QStringList arrays = {"lstWpn1",  "chkBlast1", "chkCoax1", "chkGatling1",  "chkLong1",
                                "chkShort", "chkMega1",  "chkAA1",   "chkTargeter1", "lstBattery",
                                "chkTwin1", "lstSlow",   "chkTitan", "lstNumber"};
    QSet<QString> accessible;
    for (const QString& a : arrays) {
        for (int s = 0; s < 8; ++s) {
            auto* widget = find<QWidget>(w, a + "_" + QString::number(s));
            QVERIFY(!widget->accessibleName().isEmpty());
            accessible.insert(widget->accessibleName());
        }
    }
    QCOMPARE(accessible.size(), arrays.size() * 8); // every box told apart
    QCOMPARE(find<QCheckBox>(w, "chkTwin1_2")->accessibleName(),
             QStringLiteral("Slot 3 Twin Linked"));
    for (const char* action : {"mnuExit", "mnuRules", "mnuAbout"})
        QVERIFY2(w.findChild<QAction*>(action) != nullptr, action);

    // Options and upgrades explain themselves with a sentence of the rules window.
    for (const char* name :
         {"chkAmphib", "chkLander", "chkSouped", "chkTransport", "chkConcordF", "chkFerocious",
          "chkTitan_4", "lstSlow_2", "lblHeadingShortBarrel", "lblHeadingAAMount"}) {
        const QString tip = find<QWidget>(w, name)->toolTip();
        QVERIFY2(tip.endsWith('.') && tip.count(". ") == 0, name);
    }
    QCOMPARE(box(w, "chkTitan_4")->toolTip(),
             ivc::ui::FrmRules::firstSentence(QStringLiteral("Titan Killer")));
    QVERIFY(ivc::ui::FrmRules::firstSentence(QStringLiteral("Tow Bar")).startsWith("The vehicle"));

    // Tab walks the road of a design.
    QStringList chain;
    QWidget* at = find<QWidget>(w, "txtName");
    do {
        if (at->focusPolicy() & Qt::TabFocus)
            chain << at->objectName();
        at = at->nextInFocusChain();
    } while (at->objectName() != "txtName");
    const QStringList road = {"txtName",     "lstRace",      "lstType",     "lstSize",
                              "cmdNext1",    "lstFArmor",    "lstOpen",     "cmdNext4",
                              "chkAmphib",   "lstGrakF",     "chkGrakF",    "lstCCW",
                              "lstWpn1_0",   "chkBlast1_0",  "lstNumber_0", "lstWpn1_1",
                              "lstNumber_7", "cmdCalculate", "cmdPrint",    "cmdExit"};
    qsizetype last = -1;
    for (const QString& name : road) {
        const qsizetype i = chain.indexOf(name);
        QVERIFY2(i > last, qPrintable(name));
        last = i;
    }
}

void TestFrmMain::missingChoicesAreReportedInAModalBox() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    pick(w, "lstType", 1);
    pick(w, "lstSize", 1);
    press(w, "cmdNext1");
    QCOMPARE(answers.seen().size(), 1);
    const auto& seen = answers.seen().first();
    QCOMPARE(seen.title, QStringLiteral("Missing Data"));
    QCOMPARE(seen.text, QStringLiteral("Select a race, type, and size please."));
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QVERIFY(seen.modal);
    QVERIFY(find<QGroupBox>(w, "fraRace")->isEnabled());
    QVERIFY(!find<QGroupBox>(w, "fraArmor")->isEnabled());
}

void TestFrmMain::armourChecksReportTheFirstFailure() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    hull(w, 0, 2, 1); // Bastion Normal Light Vehicle: 44 (12)
    QCOMPARE(caption(w, "lblMaxArmor"), QStringLiteral("44   (12)"));
    QCOMPARE(caption(w, "lblSpeed"), QStringLiteral("Normal"));
    armour(w, -1, 1, 0, 1);
    armour(w, 3, 3, 0, 1);  // 45: too much in total
    armour(w, 4, 1, 0, 1);  // 42 with a 13 front
    armour(w, 3, 1, 3, -1); // 44, all within: no open-top row
    QStringList texts;
    for (const auto& s : answers.seen())
        texts << s.title + ": " + s.text;
    QCOMPARE(texts, QStringList({"Missing Data: Please choose armor values.",
                                 "Error: Too much armor", "Error: Too much armor per facing",
                                 "Error: Select Open-topped or fully armored"}));
    QVERIFY(find<QGroupBox>(w, "fraArmor")->isEnabled());
    armour(w, 3, 1, 3, 1);
    QVERIFY(!find<QGroupBox>(w, "fraArmor")->isEnabled());
    QVERIFY(find<QGroupBox>(w, "fraWeap")->isEnabled());
    QVERIFY(find<QPushButton>(w, "cmdCalculate")->isEnabled());
    QCOMPARE(w.model().record().intArmorPts, 10 + 20 + 30 + 10);
}

void TestFrmMain::typicalDesignTotals130() {
    FrmMain w;
    w.show();
    find<QLineEdit>(w, "txtName")->setText("Warden");
    hull(w, 3, 1, 1); // Concord Normal Tank
    QCOMPARE(caption(w, "lblMaxArmor"), QStringLiteral("56   (14)"));
    QCOMPARE(list(w, "lstWpn1_5")->count(), 26);
    QCOMPARE(list(w, "lstCCW")->count(), 4);
    armour(w, 3, 2, 1, 1);
    pick(w, "lstWpn1_0", 14);
    QVERIFY(box(w, "chkTwin1_0")->isEnabled());
    box(w, "chkTwin1_0")->click();
    box(w, "chkSkimmer")->click();
    pick(w, "lstCCW", 1);
    QCOMPARE(caption(w, "lblCCWCost"), QStringLiteral("3"));
    press(w, "cmdCalculate");
    QCOMPARE(caption(w, "lblPoints"), QStringLiteral("130"));
    QVERIFY(find<QPushButton>(w, "cmdPrint")->isEnabled());
    QCOMPARE(w.model().name(), std::string("Warden"));
}

void TestFrmMain::weaponSlotClearsUpgradesOnANewWeapon() {
    FrmMain w;
    w.show();
    hull(w, 0, 1, 1); // Bastion Normal Tank
    armour(w, 0, 0, 0, 0);
    pick(w, "lstWpn1_0", 14); // Beam Cannon, heavy
    const QStringList open = {"chkBlast1_0", "chkCoax1_0", "chkGatling1_0", "chkLong1_0",
                              "chkShort_0",  "chkMega1_0", "chkAA1_0",      "chkTwin1_0"};
    for (const QString& name : open)
        QVERIFY2(box(w, name)->isEnabled(), qPrintable(name));
    QVERIFY(!box(w, "chkTargeter1_0")->isEnabled()); // Bastion never has one
    QVERIFY(list(w, "lstSlow_0")->isEnabled());
    QVERIFY(!list(w, "lstBattery_0")->isEnabled());

    box(w, "chkLong1_0")->click();
    QVERIFY(!box(w, "chkShort_0")->isEnabled());
    box(w, "chkLong1_0")->click();
    QVERIFY(box(w, "chkShort_0")->isEnabled());
    box(w, "chkMega1_0")->click();
    QVERIFY(box(w, "chkTitan_0")->isEnabled());
    box(w, "chkTitan_0")->click();
    box(w, "chkTwin1_0")->click();
    pick(w, "lstNumber_0", 2);
    QCOMPARE(w.model().record().intTwinCost[0], 18);
    QCOMPARE(w.model().total(), std::optional<std::int16_t>((35 + 35 + 18 + 18) * 3 + 10 + 5));

    pick(w, "lstWpn1_0", 5); // Slugger, light
    QCOMPARE(list(w, "lstNumber_0")->currentText(), QStringLiteral("1"));
    for (const char* name : {"chkTwin1_0", "chkMega1_0", "chkTitan_0"})
        QVERIFY2(!box(w, name)->isChecked(), name);
    QVERIFY(box(w, "chkCoax1_0")->isEnabled());
    QVERIFY(box(w, "chkTwin1_0")->isEnabled());
    for (const char* name : {"chkBlast1_0", "chkGatling1_0", "chkLong1_0", "chkShort_0",
                             "chkMega1_0", "chkAA1_0", "chkTitan_0"})
        QVERIFY2(!box(w, name)->isEnabled(), name);
    QVERIFY(!list(w, "lstSlow_0")->isEnabled());
    QCOMPARE(w.model().total(), std::optional<std::int16_t>(4 + 10 + 5));
}

void TestFrmMain::optionsAndFieldsTickThroughTheirBoxes() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    hull(w, 5, 2, 1); // Grak Normal Light Vehicle
    armour(w, 0, 0, 0, 0);
    box(w, "chkAmphib")->click();
    box(w, "chkLander")->click();
    QCOMPARE(w.model().record().intOptionPts, 40);
    box(w, "chkAmphib")->click();
    QCOMPARE(w.model().record().intOptionPts, 30);

    pick(w, "lstTransport", 11); // 12 models with no structure points
    QCOMPARE(answers.seen().size(), 1);
    QCOMPARE(answers.seen().first().title, QStringLiteral("Too many troops"));
    QCOMPARE(
        answers.seen().first().text,
        QStringLiteral("This vehicle can transport at most 11 models with its structure points."));
    QCOMPARE(list(w, "lstTransport")->currentIndex(), -1);
    QVERIFY(!box(w, "chkTransport")->isEnabled());
    pick(w, "lstTransport", 10);
    box(w, "chkTransport")->click();
    QVERIFY(!list(w, "lstTransport")->isEnabled());
    QCOMPARE(w.model().record().intOptionPts, 41);

    pick(w, "lstGrakF", 1); // two fields, no structure points
    QCOMPARE(answers.seen().size(), 2);
    QCOMPARE(answers.seen().last().text,
             QStringLiteral("Cannot have more shields than structure points."));
    QVERIFY(!box(w, "chkGrakF")->isEnabled());
    pick(w, "lstGrakF", 0);
    box(w, "chkGrakF")->click();
    QVERIFY(box(w, "chkGrakF")->isChecked());
    QCOMPARE(w.model().record().intOptionPts, 56);

    box(w, "chkSouped")->click(); // armour total 36: Fast
    QCOMPARE(caption(w, "lblSpeed"), QStringLiteral("Fast"));
    pick(w, "lstCCW", 2); // Power Weapon, 12 for a Grak
    pick(w, "lstAttacks", 2);
    box(w, "chkFerocious")->click();
    QCOMPARE(caption(w, "lblAttacks"), QStringLiteral("4"));
    QCOMPARE(caption(w, "lblCCWCost"), QStringLiteral("48"));
}

void TestFrmMain::resetReturnsTheWindowToAFreshStart() {
    FrmMain fresh;
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    find<QLineEdit>(w, "txtName")->setText("Hulk");
    hull(w, 2, 3, 2); // Veyra War Machine Flyer
    armour(w, 1, 1, 1, 1);
    pick(w, "lstWpn1_3", 16); // an air munition
    pick(w, "lstWpn1_4", 1);
    box(w, "chkMega1_4")->click();
    box(w, "chkTitan_4")->click();
    pick(w, "lstStructure", 4);
    pick(w, "lstVeyraF", 3);
    box(w, "chkVeyraF")->click();
    box(w, "chkLander")->click();
    pick(w, "lstCCW", 1);
    press(w, "cmdCalculate");
    press(w, "cmdReset");
    QCOMPARE(snapshot(w), snapshot(fresh));
    QCOMPARE(find<QLineEdit>(w, "txtName")->text(), QStringLiteral("Hulk"));
    QCOMPARE(w.model().total(), std::optional<std::int16_t>(0));
    QVERIFY(answers.seen().isEmpty());
}

void TestFrmMain::accessKeysPressTheirButtons() {
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    pick(w, "lstRace", 0);
    pick(w, "lstType", 1);
    pick(w, "lstSize", 1);
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // the race frame's Next
    // A button's access key clicks it after a short press animation.
    QTRY_VERIFY(find<QGroupBox>(w, "fraArmor")->isEnabled());
    for (const char* facing : {"lstFArmor", "lstSArmor", "lstRArmor", "lstOpen"})
        pick(w, facing, 0);
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // now the armour frame's Next
    QTRY_VERIFY(find<QGroupBox>(w, "fraWeap")->isEnabled());
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(caption(w, "lblPoints"), QStringLiteral("15"));
    QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!w.isVisible());
}

void TestFrmMain::helpWindowsAreModalAndShortLived() {
    FrmMain w;
    w.show();
    for (const QString window : {"frmRules", "frmAbout"}) {
        QPointer<QDialog> dialog;
        QString seenName;
        QTimer::singleShot(50, [&] {
            dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                seenName = dialog->objectName();
                dialog->accept();
            }
        });
        const QString action = window == "frmRules" ? "mnuRules" : "mnuAbout";
        w.findChild<QAction*>(action)->trigger(); // returns once the dialog is closed
        QCOMPARE(seenName, window);
        QVERIFY(dialog.isNull()); // destroyed on closing
    }
}

void TestFrmMain::printShowsTheCardAndHidesTheMainWindow() {
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    answers.queue(QMessageBox::No);
    hull(w, 3, 1, 1);
    armour(w, 3, 2, 1, 1);
    press(w, "cmdCalculate");
    press(w, "cmdPrint");
    QVERIFY(w.cardWindow() != nullptr);
    QTRY_VERIFY(w.isVisible()); // No brings the main window back
    QVERIFY(!w.cardWindow()->isVisible());
    QCOMPARE(caption(w, "lblPoints"), QStringLiteral("70"));
}

void TestFrmMain::exitClosesTheWindow() {
    for (const bool menu : {false, true}) {
        FrmMain w;
        w.show();
        if (menu)
            w.findChild<QAction*>("mnuExit")->trigger();
        else
            press(w, "cmdExit");
        QVERIFY(!w.isVisible());
    }
}

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
