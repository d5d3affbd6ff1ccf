#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::twipsRect;

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void layoutEssentials();
    void weaponGridBuiltWhenFirstNeeded();
    void typicalDesignByAccessKeysOnTheCard();
    void helpWindowsShowEverything();
};

void TestFrmMain::layoutEssentials() {
    FrmMain w;
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(find(w, "clientArea")->size(), twipsRect(0, 0, 11415, 7065).size());
    QCOMPARE(w.windowTitle(), QStringLiteral("Ironvale Vehicle Creator"));
    QCOMPARE(find(w, "lstNumber_7")->geometry(), twipsRect(10560, 4320, 495, 315));
    QCOMPARE(find(w, "fraRace")->geometry(), twipsRect(120, 1200 - 360, 9015, 975));
    QStringList frames{caption(w, "Label24")};
    for (const char* name : {"fraRace", "fraArmor", "fraSpecial", "fraCCW", "fraWeap"})
        frames << find<QGroupBox>(w, name)->title();
    QCOMPARE(frames.join('/'), "Open top/Fullly armored/Initial Stats/Armor/Special "
                               "Options/Close Combat/Weapons and Options");
    // Every control lies inside its container and clear of its neighbours (the weapon grid's
    // headings may share the room above their columns).
    const QRegularExpression control("^(lst|chk|cmd|txt|lbl|Label)(?!Heading)");
    for (const QWidget* a : w.findChildren<QWidget*>(control)) {
        QVERIFY2(a->parentWidget()->rect().contains(a->geometry()), qPrintable(a->objectName()));
        for (const QWidget* b :
             a->parentWidget()->findChildren<QWidget*>(control, Qt::FindDirectChildrenOnly))
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + " " + b->objectName()));
    }

    // Keyboard and screen-reader users can tell the 112 controls of the weapon grid apart.
    QSet<QString> spoken;
    for (const QWidget* c : find(w, "fraWeap")->findChildren<QWidget*>(QRegularExpression("_\\d$")))
        spoken.insert(c->accessibleName());
    QCOMPARE(spoken.size(), 8 * 14);
    QCOMPARE(find(w, "chkTwin1_2")->accessibleName(), QStringLiteral("Slot 3 Twin Linked"));
    QCOMPARE(find(w, "chkTitan_4")->toolTip(), ivc::ui::FrmRules::firstSentence("Titan Killer"));
    QVERIFY(find(w, "chkAmphib")->toolTip().endsWith('.'));
    // The grid's short lists draw a narrower arrow once their tab shows them.
    w.show();
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    QVERIFY(find(w, "lstBattery_0")->style() != find(w, "lstWpn1_0")->style());

    // Tab walks the road of a design: hull, armour, options, weapons, then the commands.
    QStringList chain;
    for (QWidget* at = find(w, "txtName"); chain.size() < 200; at = at->nextInFocusChain())
        chain << at->objectName();
    qsizetype last = -1;
    for (const char* name : {"lstRace", "cmdNext1", "lstOpen", "cmdNext4", "chkAmphib", "lstCCW",
                             "lstAttacks", "lstWpn1_0", "lstNumber_7", "cmdCalculate", "cmdExit"}) {
        QVERIFY2(chain.indexOf(name) > last, name);
        last = chain.indexOf(name);
    }
}

// The Weapons grid comes after the window's first sight: when its tab is first shown it
// shows the design as it stands, and drives it; else it is there once the window has painted.
void TestFrmMain::weaponGridBuiltWhenFirstNeeded() {
    FrmMain w;
    act(w, kTypical.section(", lstWpn1_0", 0, 0)); // up to the weapons
    w.show();
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    auto* weapon = w.findChild<QComboBox*>("lstWpn1_3");
    QVERIFY(weapon != nullptr && weapon->isVisible() && weapon->isEnabled());
    QCOMPARE(weapon->itemText(1).toStdString(), w.model().list({ivc::ListId::Wpn1, 3}).rows[1]);
    weapon->setCurrentIndex(1);
    QCOMPARE(w.model().list({ivc::ListId::Wpn1, 3}).selected, 1);
    QCOMPARE(find<QAction>(w, "mnuUndo")->text(), "&Undo " + weapon->itemText(1) + ", slot 4");

    FrmMain shown;
    QSignalSpy painted(&shown, &FrmMain::firstPainted);
    shown.show();
    QTRY_VERIFY(shown.findChild<QComboBox*>("lstWpn1_0") != nullptr);
    QCOMPARE(painted.count(), 1);
    shown.repaint();
    QTest::qWait(20);
    QCOMPARE(painted.count(), 1);
}

// The walk-through design with two close-combat weapons (and Amphibious ticked, then unticked)
// through the widgets, its commands pressed by their access keys (each clicks after a short
// press animation), the focus moving on to each step "&Next" opens. "&Print" shows the card in
// place of the main window, which comes back on No with the design unchanged; "E&xit" closes it
// once the unsaved design is discarded.
void TestFrmMain::typicalDesignByAccessKeysOnTheCard() {
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget()->objectName(), "lstRace");
    BoxAnswerer answers;
    answers.queue("No Ok Discard"); // the card's question, a missing choice, Exit's question
    act(w, "txtName=Warden, lstRace=Concord, lstType=Tank, lstSize=Normal");
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // the race frame's Next
    QTRY_VERIFY(find(w, "fraArmor")->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), "lstFArmor"); // the next step
    act(w, "lstFArmor=12, lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored");
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier); // now the armour frame's Next
    QTRY_VERIFY(find(w, "fraWeap")->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), "chkAmphib");
    act(w, "lstWpn1_3=Beam Cannon, chkTwin1_3, chkAmphib, chkSkimmer, chkAmphib, lstCCW=CCW, "
           "lstAttacks=2");
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(caption(w, "lblPoints"), QStringLiteral("136"));
    QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(!answers.seen.isEmpty() && w.isVisible());
    QCOMPARE(answers.seen.first(), "Statcard Print: Print Statcard? [*Yes No]");
    QCOMPARE(answers.windows, QList<QStringList>({{"frmPrint"}}));
    QVERIFY(!w.cardWindow()->isVisible() &&
            w.cardWindow()->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(w.cardWindow()->size(), QSize(609, 369)); // 9135 x 5535 twips
    QCOMPARE(caption(w, "lblPoints"), QStringLiteral("136"));
    const QString card = QStringLiteral(
        "lblName=Warden; lblPoints=136; lblFArmor=12; lblSArmor=11; lblRArmor=10; lblWS=3; "
        "lblBS=3; lblS=4; lblI=3; lblA=3; lblType=Tank; lblSize=Normal; lblSpeed=Normal; "
        "lblCategory=Heavy Support; lblStructure=; lblWeapons_0=1x None; "
        "lblWeapons_3=1x Twin Linked Beam Cannon; lblWeapons_7=1x None; lblCCW=CCW; lblNumCCW=2; "
        "lblSpecial_0=Fully Armored; lblSpecial_1=Skimmer; lblSpecial_2=; lblSpecial_7=");
    QStringList shown; // the same labels as they read
    for (const QString& field : card.split("; "))
        shown << field.section('=', 0, 0) + '=' +
                     caption(*w.cardWindow(), field.section('=', 0, 0));
    QCOMPARE(shown.join("; "), card);
    act(w, "cmdReset, cmdNext1"); // nothing chosen any more
    QCOMPARE(answers.seen.last(), "Missing Data: Select a race, type, and size please. [Ok]");
    w.activateWindow(); // the offscreen platform does not give the focus back after a box
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!w.isVisible());
}

// The rules window: a tool window on its first tab, the last two tabs empty, on the others
// bold headings beside their paragraphs, every one whole. The about window: its title and
// version (from CMake), every label whole.
void TestFrmMain::helpWindowsShowEverything() {
    ivc::ui::FrmRules rules;
    QCOMPARE(rules.windowType(), Qt::Tool);
    auto* tabs = find<QTabWidget>(rules, "tabRules");
    QStringList captions{QString::number(tabs->currentIndex())};
    rules.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rules));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        const auto heads = tabs->widget(tab)->findChildren<QLabel*>("lblHeading");
        const auto texts = tabs->widget(tab)->findChildren<QLabel*>("lblText");
        captions << tabs->tabText(tab) + ' ' + QString::number(heads.size());
        for (qsizetype i = 0; i < heads.size() && i < texts.size(); ++i)
            QVERIFY2(heads[i]->font().bold() && texts[i]->y() == heads[i]->y() && fits(*heads[i]) &&
                         fits(*texts[i]),
                     qPrintable(heads[i]->text()));
    }
    QCOMPARE(captions.join(','), "0,Movement 7,Special Options 8,Special Options 2 6,Weapons 10,"
                                 "War Machines 0,Flyers 0");
    ivc::ui::FrmAbout about;
    QCOMPARE(about.windowTitle() + ", " + caption(about, "lblVersion"),
             "About IronvaleVC, Version " IVC_VERSION);
    for (const QLabel* label : about.findChildren<QLabel*>())
        QVERIFY2(!label->text().isEmpty() && fits(*label), qPrintable(label->objectName()));
}

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
