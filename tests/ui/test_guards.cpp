// What the windows offer keys, screen readers, small screens and dark desktops, each walked
// as a table, through objectNames, key events, Qt's accessibility interface and pixels only.
#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::FrmPrint;
using ivc::ui::twipsRect;

namespace {

const QString kThrane = "lstRace=Thrane, lstType=Tank, lstSize=War Machine, cmdNext1, "
                        "lstFArmor=12, lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4";

// What a screen reader hears of a control: "name = value / description".
QString heard(QWidget* control) {
    const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    return a->text(QAccessible::Name) + " = " + a->text(QAccessible::Value) + " / " +
           a->text(QAccessible::Description);
}

// Runs this program's `slot` alone on a 640 x 480 screen at `scale`; its output on failure.
QString runOnSmallScreen(const QString& slot, const QString& scale, const QTemporaryDir& dir) {
    QFile config(dir.filePath(scale + ".json"));
    const int side = scale.toInt();
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(QStringLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0, )"
                                    R"("width": %1, "height": %2, "logicalDpi": 96}]})")
                         .arg(640 * side)
                         .arg(480 * side)
                         .toUtf8()) < 0)
        return "cannot write " + config.fileName();
    config.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
    env.insert("QT_SCALE_FACTOR", scale);
    env.insert("IVC_SMALL_SCREEN", scale);
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), {slot});
    const bool passed =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return passed ? QString()
                  : QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

} // namespace

class TestGuards : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void screenReadersHear_data();
    void screenReadersHear();
    void keysActAtTheFirstPress_data();
    void keysActAtTheFirstPress();
    void menusOpenTheirWindows_data();
    void menusOpenTheirWindows();
    void windowsFitASmallScreen_data();
    void windowsFitASmallScreen();
    void fitHere_data();
    void fitHere();
    void closedControlsLookClosedOnADarkDesktop_data();
    void closedControlsLookClosedOnADarkDesktop();
    void cardFieldsInTheirPlaces_data();
    void cardFieldsInTheirPlaces();
    void exportsAreCommittedOrTold_data();
    void exportsAreCommittedOrTold();
};

void TestGuards::screenReadersHear_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("control");  // "card:NAME" a field of the design's card
    QTest::addColumn<QString>("expected"); // the beginning of what is heard
    QTest::newRow("race list") << "lstRace=Grak"
                               << "lstRace"
                               << "Race = Grak";
    QTest::newRow("grid list") << kThrane + ", lstWpn1_2=Atomizer Gun, lstNumber_2=4"
                               << "lstNumber_2"
                               << "Slot 3 Number = 4";
    QTest::newRow("grid box") << kThrane + ", lstWpn1_2=Atomizer Cannon, chkBlast1_2"
                              << "chkBlast1_2"
                              << "Slot 3 Blast = ";
    QTest::newRow("cut row, whole in its tip")
        << kThrane + ", lstWpn1_2=Heavy Atomizer Cannon"
        << "lstWpn1_2"
        << "Slot 3 Weapon = Heavy Atomizer Cannon / Heavy Atomizer Cannon";
    QTest::newRow("caption") << kThrane << "lblMaxArmor"
                             << "Max Armor (Max Facing): 56   (14) = ";
    QTest::newRow("points") << kThrane + ", lstWpn1_0=Atomizer Gun, cmdCalculate"
                            << "lblPoints"
                            << "Points: 85 = ";
    // As many rows as the last hull's lists, other rows: Veyra's 15, Dark Veyra's 10 and
    // the five air munitions.
    QTest::newRow("list refilled with as many rows")
        << "lstRace=Veyra, lstType=Tank, lstSize=Small, cmdNext1, cmdReset, lstRace=Dark Veyra, "
           "lstType=Flyer, lstSize=Small, cmdNext1, lstFArmor=10, lstSArmor=10, lstRArmor=10, "
           "lstOpen=Fully Armored, cmdNext4, lstWpn1_7=Big Smart Bomb"
        << "lstWpn1_7"
        << "Slot 8 Weapon = Big Smart Bomb";
    QTest::newRow("card: cut name, whole in its tip")
        << "txtName=" + QString("Iron").repeated(20) << "card:lblName"
        << "Name: IronIronIron";
    QTest::newRow("card: cut name's tip")
        << "txtName=" + QString("Iron").repeated(20) << "card:lblName"
        << "/ " + QString("Iron").repeated(20);
}

// Qt's accessibility interface, which the AT-SPI bridge serves to screen readers: each
// control by what it is, a list's row as its value, a cut text whole in its description.
void TestGuards::screenReadersHear() {
    QFETCH(QString, steps);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    act(w, steps);
    FrmPrint card;
    card.setCard(ivc::makeCard(w.model()));
    const QString said =
        control.startsWith("card:") ? heard(find(card, control.mid(5))) : heard(find(w, control));
    QVERIFY2(expected.startsWith('/') ? said.contains(expected) : said.startsWith(expected),
             qPrintable(said));
}

void TestGuards::keysActAtTheFirstPress_data() {
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("then"); // a menu shown, a control opened, or "tab"
    // Alt+R names the Rules menu, as a menu's key does on every desktop ("&Reset" stays
    // reachable by mouse, Tab and Space).
    QTest::newRow("Alt+R") << (Qt::ALT | Qt::Key_R) << "mnuSpecial";
    QTest::newRow("Alt+N") << (Qt::ALT | Qt::Key_N) << "fraArmor";
    QTest::newRow("Alt+E") << (Qt::ALT | Qt::Key_E) << "mnuEdit";
    QTest::newRow("Alt+F") << (Qt::ALT | Qt::Key_F) << "mnuFile";
    QTest::newRow("Alt, then R") << QKeyCombination(Qt::Key_Alt) << "mnuSpecial";
    QTest::newRow("Ctrl+Tab") << (Qt::CTRL | Qt::Key_Tab) << "tab";
    QTest::newRow("Ctrl+PageUp") << (Qt::CTRL | Qt::Key_PageUp) << "tab";
    QTest::newRow("Ctrl+PageDown") << (Qt::CTRL | Qt::Key_PageDown) << "tab";
}

// Each key once, the focus on a list with a row chosen: it acts, and the list keeps its row.
void TestGuards::keysActAtTheFirstPress() {
    QFETCH(QKeyCombination, key);
    QFETCH(QString, then);
    FrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    act(w, "lstRace=Grak, lstType=Tank, lstSize=Normal");
    auto* race = find<QComboBox>(w, "lstRace");
    race->setFocus();
    QTest::keyClick(race, key.key(), key.keyboardModifiers());
    if (key.key() == Qt::Key_Alt)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R);
    if (then == "tab")
        QCOMPARE(find<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
    else if (then.startsWith("mnu"))
        QTRY_VERIFY(find<QMenu>(w, then)->isVisible());
    else
        QTRY_VERIFY(find(w, then)->isEnabled());
    QCOMPARE(race->currentText(), "Grak");
}

void TestGuards::menusOpenTheirWindows_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key"); // the way out: a key, or 0 for a click on its button
    QTest::newRow("Special Rules, Close") << "mnuRules"
                                          << "frmRules" << 0;
    QTest::newRow("About, OK") << "mnuAbout"
                               << "frmAbout" << 0;
    QTest::newRow("About, Enter") << "mnuAbout"
                                  << "frmAbout" << int(Qt::Key_Enter);
    QTest::newRow("About, Esc") << "mnuAbout"
                                << "frmAbout" << int(Qt::Key_Escape);
    // The card asks once, though the platform activates it again while the question is up.
    QTest::newRow("Print, activated again") << "cmdPrint"
                                            << "frmPrint" << 0;
}

// Each entry opens its window, whose way out presses its button once and closes it.
void TestGuards::menusOpenTheirWindows() {
    QFETCH(QString, entry);
    QFETCH(QString, window);
    QFETCH(int, key);
    FrmMain w;
    w.show();
    QPointer<QWidget> open;
    QString seen;
    int pressed = 0;
    BoxAnswerer answers;
    answers.queue("No");
    QTimer poll;
    poll.callOnTimeout(&w, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (qobject_cast<QMessageBox*>(modal) != nullptr) { // the card's question
            w.cardWindow()->activateWindow();
            QCoreApplication::postEvent(w.cardWindow(), new QEvent(QEvent::WindowActivate));
        } else if (modal != nullptr && open.isNull()) {
            open = modal;
            seen = open->objectName();
            auto* button = find<QPushButton>(*open, seen == "frmRules" ? "cmdClose" : "cmdOK");
            connect(button, &QPushButton::clicked, [&pressed] { ++pressed; });
            if (key != 0)
                QTest::keyClick(open, Qt::Key(key));
            else // Close lies over the tab pages: a click there must reach it
                QTest::mouseClick(open->childAt(button->geometry().center()), Qt::LeftButton);
        }
    });
    poll.start(20);
    if (entry == "cmdPrint") {
        act(w, kThrane + ", cmdCalculate, cmdPrint");
        QTRY_VERIFY(w.isVisible());
        QTest::qWait(200); // long enough for a second question
        QCOMPARE(answers.seen.size(), 1);
        return;
    }
    trigger(w, entry); // returns once its window has closed
    QCOMPARE(seen, window);
    QVERIFY(open.isNull() || !open->isVisible());
    QCOMPARE(pressed, 1);
}

void TestGuards::windowsFitASmallScreen_data() {
    QTest::addColumn<QString>("scale");
    QTest::newRow("1x") << "1";
    QTest::newRow("2x") << "2";
}

// The windows, each on a 640 x 480 screen at 1x and 2x (run as a program of its own).
void TestGuards::windowsFitASmallScreen() {
    QFETCH(QString, scale);
    if (qEnvironmentVariableIsSet("IVC_SMALL_SCREEN"))
        QSKIP("already on the small screen");
    QTemporaryDir dir;
    const QString failed = runOnSmallScreen("fitHere", scale, dir);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestGuards::fitHere_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("size"); // the screen's 640 x 480 less a title bar and borders
    QTest::newRow("main") << "frmMain" << QSize(632, 440);
    QTest::newRow("rules") << "frmRules" << QSize(632, 440);
    QTest::newRow("about") << "frmAbout" << QSize(0, 0); // as designed: it fits
}

// Each window with its frame and a title bar lies inside the screen's free area, as large
// as fits; a window cut short may be resized (its content scrolls).
void TestGuards::fitHere() {
    QFETCH(QString, window);
    QFETCH(QSize, size);
    if (!qEnvironmentVariableIsSet("IVC_SMALL_SCREEN"))
        QSKIP("run by windowsFitASmallScreen");
    FrmMain main;
    ivc::ui::FrmRules rules(&main);
    ivc::ui::FrmAbout about(&main);
    QWidget* w = window == "frmMain"    ? static_cast<QWidget*>(&main)
                 : window == "frmRules" ? static_cast<QWidget*>(&rules)
                                        : &about;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QRect outer = w->frameGeometry();
    if (outer == w->geometry()) // a platform without frames: allow for one
        outer.adjust(-4, -4 - 32, 4, 4);
    QVERIFY2(w->screen()->availableGeometry().contains(outer),
             qPrintable(QString("%1,%2 %3x%4")
                            .arg(outer.x())
                            .arg(outer.y())
                            .arg(outer.width())
                            .arg(outer.height())));
    if (size.isEmpty())
        return;
    QCOMPARE(w->size(), size);
    QVERIFY(w->minimumSize() != w->maximumSize());
}

void TestGuards::closedControlsLookClosedOnADarkDesktop_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("opening"); // what opens it
    QTest::newRow("caption") << "Label25" << kThrane;
    QTest::newRow("grid box") << "chkTitan_0"
                              << kThrane + ", lstWpn1_0=Atomizer Cannon, chkMega1_0";
    QTest::newRow("list") << "lstAttacks" << kThrane + ", lstCCW=War Machine CCW";
    QTest::newRow("button") << "cmdPrint" << kThrane + ", cmdCalculate";
}

// With a dark palette that greys nothing, each control looks different closed and open.
void TestGuards::closedControlsLookClosedOnADarkDesktop() {
    QFETCH(QString, control);
    QFETCH(QString, opening);
    const QColor text(0xe0, 0xe0, 0xe0), ground(0x35, 0x35, 0x35), base(0x23, 0x23, 0x23);
    QApplication::setPalette(
        QPalette(text, ground, ground, ground, ground, text, text, base, ground));
    FrmMain w;
    w.show();
    QWidget* c = find(w, control);
    find<QTabWidget>(w, "SSTab1")->setCurrentWidget(c->parentWidget()->parentWidget());
    const QImage closed = c->grab().toImage();
    QVERIFY(!c->isEnabled());
    act(w, opening);
    QVERIFY(c->isEnabled());
    const QImage shown = c->grab().toImage();
    QApplication::setPalette(QPalette());
    QVERIFY(shown != closed);
}

void TestGuards::cardFieldsInTheirPlaces_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QRect>("twips"); // left, top, width, height
    QTest::addColumn<double>("points");
    QTest::newRow("name") << "lblName" << QRect(240, 720, 1335, 495) << 9.75;
    QTest::newRow("points") << "lblPoints" << QRect(1800, 720, 735, 495) << 9.75;
    QTest::newRow("rear armour") << "lblRArmor" << QRect(4920, 720, 855, 495) << 9.75;
    QTest::newRow("A") << "lblA" << QRect(8400, 720, 375, 375) << 9.75;
    QTest::newRow("size") << "lblSize" << QRect(2040, 1680, 1215, 375) << 9.75;
    QTest::newRow("structure") << "lblStructure" << QRect(7920, 1680, 975, 375) << 9.75;
    QTest::newRow("last weapon") << "lblWeapons_7" << QRect(240, 5040, 4815, 255) << 8.0;
    QTest::newRow("close combat number") << "lblNumCCW" << QRect(7920, 2880, 975, 255) << 8.0;
    QTest::newRow("last special") << "lblSpecial_7" << QRect(7200, 5040, 1695, 255) << 8.0;
    // The page: its caption 36 points (half an inch) in from the page's corner, and 12 and
    // 18 points (240 and 360 twips) into the card.
    QTest::newRow("page") << "Name" << QRect(48, 54, 0, 0) << 0.0;
}

// Where the card sets its fields, and at what size; and where the page sets the card.
void TestGuards::cardFieldsInTheirPlaces() {
    QFETCH(QString, field);
    QFETCH(QRect, twips);
    QFETCH(double, points);
    FrmMain w;
    QTemporaryDir dir;
    QVERIFY(openDesign(w, typicalDesign("Warden"), dir));
    if (points == 0) {
        const QString path = dir.filePath("card.pdf");
        answerFileDialog(path);
        trigger(w, "mnuExport");
        const QString words = output("pdftotext", {"-bbox", path, "-"});
        const auto at =
            QRegularExpression(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>)re" + field + "<")
                .match(words);
        QVERIFY2(at.hasMatch(), qPrintable(words.left(400)));
        QVERIFY(qAbs(at.captured(1).toDouble() - twips.x()) < 3);
        QVERIFY(qAbs(at.captured(2).toDouble() - twips.y()) < 3);
        return;
    }
    FrmPrint card;
    card.setCard(ivc::makeCard(w.model()));
    const auto* label = find<QLabel>(card, field);
    QCOMPARE(label->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QCOMPARE(label->font().pointSizeF(), points);
}

void TestGuards::exportsAreCommittedOrTold_data() {
    QTest::addColumn<QString>("suffix");
    QTest::newRow("pdf") << "pdf";
    QTest::newRow("png") << "png";
    QTest::newRow("svg") << "svg";
}

// An export whose file cannot take the place of the one there (here a folder of that name)
// is told, naming the file, and leaves it as it was.
void TestGuards::exportsAreCommittedOrTold() {
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    FrmMain w;
    w.show();
    QVERIFY(openDesign(w, typicalDesign("Warden"), dir));
    const QString path = dir.filePath("card." + suffix);
    BoxAnswerer answers;
    answerNext<QFileDialog>([&path](QFileDialog& d) {
        d.selectFile(path);
        static_cast<QDialog&>(d).accept();
        QDir().mkdir(path); // once the dialog has taken the name
    });
    trigger(w, "mnuExport");
    QCOMPARE(answers.seen.size(), 1);
    QVERIFY2(answers.seen[0].startsWith("Export Statcard: The Statcard could not be saved as " +
                                        path + ": "),
             qPrintable(answers.seen[0]));
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_MAIN(TestGuards)
#include "test_guards.moc"
