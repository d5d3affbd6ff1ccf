#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::FrmPrint;
using ivc::ui::twipsRect;

namespace {

const QString kPhoenician = QString::fromUcs4(U"\U00010900"); // in no installed font

const QString kQuestion = QStringLiteral("Statcard Print: Print Statcard? [*Yes No]");
const QString kOffer = QStringLiteral("Statcard Print: There is no default printer. Save the "
                                      "Statcard as a PDF file instead? [*Save Cancel]");

// Prints a card as "&Print" does on a machine without a printer: the card asks, Yes, then
// offers a PDF file, Save, then asks again, No. Returns the page's text.
QString printedText(const ivc::CardTexts& texts) {
    QTemporaryDir dir;
    const QString file = dir.filePath("card.pdf");
    FrmPrint card;
    BoxAnswerer answers;
    answers.queue("Yes Save No");
    if (!printWithoutPrinter(card, texts, file) || !card.isHidden() ||
        answers.seen != QStringList{kQuestion, kOffer, kQuestion})
        return "asked: " + answers.seen.join(" / ");
    return output("pdftotext", {"-enc", "UTF-8", file, "-"});
}

// What is wrong with how a field is set, empty when nothing: its text must stay readable
// (6 points) inside its box, and its extent must run into no other field's (`inks`).
QString misfit(const FrmPrint& card, const QString& field, QList<QRectF>& inks) {
    const FrmPrint::Setting s = card.setting(field);
    const QFontMetricsF metrics(s.font);
    QRectF ink(s.box.topLeft(), QSizeF(0, double(s.lines.size()) * metrics.height()));
    for (int i = 0; i < s.lines.size(); ++i)
        ink.setWidth(
            std::max(ink.width(), (i > 0 ? s.indent : 0) + metrics.horizontalAdvance(s.lines[i])));
    const auto overlaps = [&ink](const QRectF& other) { return other.intersects(ink); };
    const QString problem = s.font.pixelSize() < 120 ? "unreadable"
                            : double(s.lines.size()) * metrics.lineSpacing() > s.box.height()
                                ? "too tall"
                            : ink.width() > s.box.width()                     ? "too wide"
                            : !QRectF(0, 0, 9120, 5520).contains(ink)         ? "off the card"
                            : std::any_of(inks.begin(), inks.end(), overlaps) ? "overlapping"
                                                                              : "";
    inks << ink;
    return problem.isEmpty() ? problem : field + " " + problem + ": " + s.lines.join(" / ");
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void layoutEssentials();
    void typicalDesignByAccessKeysOnTheCard();
    void helpWindowsShowEverything();
    void fullestCardKeepsEveryWord_data();
    void fullestCardKeepsEveryWord();
};

void TestFrmMain::layoutEssentials() {
    FrmMain w;
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(find(w, "clientArea")->size(), twipsRect(0, 0, 11415, 7065).size());
    QCOMPARE(w.windowTitle(), QStringLiteral("Ironvale Vehicle Creator"));
    QCOMPARE(find(w, "lstNumber_7")->geometry(), twipsRect(10560, 4320, 495, 315));
    QCOMPARE(find(w, "fraRace")->geometry(), twipsRect(120, 1200 - 360, 9015, 975));
    QStringList frames;
    for (const char* name : {"fraRace", "fraArmor", "fraSpecial", "fraCCW", "fraWeap"})
        frames << find<QGroupBox>(w, name)->title();
    QCOMPARE(frames.join('/'),
             "Initial Stats/Armor/Special Options/Close Combat/Weapons and Options");
    QCOMPARE(caption(w, "Label24"), QStringLiteral("Open top/Fullly armored"));
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
    QCOMPARE(answers.windows, QList<QStringList>({{"frmPrint"}}));
    QVERIFY(!w.cardWindow()->isVisible());
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

void TestFrmMain::fullestCardKeepsEveryWord_data() {
    QTest::addColumn<int>("race");
    QTest::addColumn<QString>("name");
    const QString names[] = {
        "Ironhide", "Ærøskøbing",           "Ζεύς Άρης", "Warden of Gates", "鋼鉄の獣",
        "Grimtusk", "Forge " + kPhoenician, "Blightmaw"};
    for (int race = 1; race <= 8; ++race)
        QTest::addRow("%s", ivc::raceInfo(race)->name.data()) << race << names[race - 1];
}
// The fullest design the controls allow, for every race: every text fits its place at a
// readable size, the fields' places do not overlap, and the printed page holds every word
// as the screen shows it, letters of any script included.
void TestFrmMain::fullestCardKeepsEveryWord() {
    QFETCH(int, race);
    QFETCH(QString, name);
    // As screen and paper show it: a letter that no installed font has as "�".
    const QString shown = QString(name).replace(kPhoenician, QChar(QChar::ReplacementCharacter));
    const ivc::CardTexts texts = ivc::makeCard(fullestDesign(race, name.toStdString()));
    FrmPrint card;
    card.showCard(texts);
    const QPoint off = card.geometry().center() - card.screen()->availableGeometry().center();
    QVERIFY(off.manhattanLength() <= 2);
    card.hide(); // before it asks
    QVERIFY(card.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(card.size(), QSize(609, 369)); // 9135 x 5535 twips
    QCOMPARE(card.minimumSize(), card.maximumSize());
    QCOMPARE(find(card, "lblSpecial_4")->geometry(), ivc::ui::twipsRect(7200, 3960, 1695, 255));
    QStringList captions;
    for (const QString& field : cardFields(card))
        if (!field.startsWith("lbl"))
            captions << field;
    QCOMPARE(captions.join(','), "Name,Points,Front Armor,Side Armor,Rear Armor,WS,BS,S,I,A,Type,"
                                 "Size,Speed,Category,Structure Pts,Weapons,Close Combat Weapon,"
                                 "Number,Special Options");

    QStringList words;
    QList<QRectF> inks;
    for (const QString& field : cardFields(card)) {
        const QString problem = misfit(card, field, inks);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const FrmPrint::Setting s = card.setting(field);
        const QString whole = field == "lblName"        ? shown
                              : field.startsWith("lbl") ? find<QLabel>(card, field)->text()
                                                        : field;
        QVERIFY2(!s.elided && s.lines.join(' ').simplified() == whole.simplified(),
                 qPrintable(field + ": " + s.lines.join(" / ")));
        words << whole.split(' ', Qt::SkipEmptyParts);
    }
    QVERIFY(find<QLabel>(card, "lblSpecial_7")->text().contains(", Ferocious, Tow Bar"));
    QVERIFY(card.setting("lblWeapons_0").lines.size() == 2);

    const QStringList printed = printedText(texts).split(QRegularExpression("\\s+"));
    for (const QString& word : words)
        QVERIFY2(printed.contains(word), qPrintable(word));
}

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
