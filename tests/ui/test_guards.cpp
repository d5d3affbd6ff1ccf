// What the windows offer keys, screen readers, small screens and dark desktops, each walked
// as a table of named rows, through objectNames, key events, Qt's accessibility interface
// and pixels only.
#include "uitest.h"

using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::FrmPrint;

namespace {

const QString kThrane = "lstRace=Thrane, lstType=Tank, lstSize=War Machine, cmdNext1, "
                        "lstFArmor=12, lstSArmor=11, lstRArmor=10, lstOpen=Fully Armored, cmdNext4";
const QString kBlight = "lstRace=Blight, lstType=Tank, lstSize=Normal, cmdNext1, lstFArmor=10, "
                        "lstSArmor=10, lstRArmor=10, lstOpen=Fully Armored, cmdNext4";
const QString kLongName = "txtName=" + QString("Iron").repeated(20);

struct Row {
    const char* name;
    QString steps, control, expected = {};
};

// The widest row of a list, as its open list writes it.
int widest(const QComboBox& list) {
    int most = 0;
    for (int i = 0; i < list.count(); ++i)
        most = std::max(most, list.view()->fontMetrics().horizontalAdvance(list.itemText(i)));
    return most;
}

// A shown window with `steps` done; the card of its design, laid out.
struct Shown {
    explicit Shown(const QString& steps) {
        w.show();
        act(w, steps);
        card.setCard(ivc::makeCard(w.model()));
    }
    BoxAnswerer answers;
    FrmMain w;
    FrmPrint card;
};

} // namespace

class TestGuards : public QObject {
    Q_OBJECT
private slots:
    void screenReadersHear();
    void keysActAtTheFirstPress();
    void menusOpenTheirWindows();
    void windowsFitASmallScreen();
    void fitHere();
    void closedControlsLookClosedOnADarkDesktop();
    void cardAndPageSetTheirFields();
    void exportsAreCommittedOrTold();
};

// Qt's accessibility interface, which the AT-SPI bridge serves to screen readers: each
// control by what it is, a list's row as its value and a cut text whole in its
// description ("name = value / description"; "card:" a field of the design's card).
void TestGuards::screenReadersHear() {
    const Row rows[] = {
        {"race", "lstRace=Grak", "lstRace", "Race = Grak"},
        {"grid list", kThrane + ", lstWpn1_2=Atomizer Gun, lstNumber_2=4", "lstNumber_2",
         "Slot 3 Number = 4"},
        {"grid box", kThrane + ", lstWpn1_2=Atomizer Cannon", "chkBlast1_2", "Slot 3 Blast = "},
        {"cut row, whole in its tip", kThrane + ", lstWpn1_2=Heavy Atomizer Cannon", "lstWpn1_2",
         "Slot 3 Weapon = Heavy Atomizer Cannon / Heavy Atomizer Cannon"},
        {"caption", kThrane, "lblMaxArmor", "Max Armor (Max Facing): 56   (14) = "},
        {"points", kThrane + ", lstWpn1_0=Atomizer Gun, cmdCalculate", "lblPoints", "Points: 85 ="},
        // As many rows as the last hull's lists, other rows: Veyra's 15, then Dark Veyra's
        // 10 and the five air munitions.
        {"list refilled with as many rows",
         "lstRace=Veyra, lstType=Tank, lstSize=Small, cmdNext1, cmdReset, lstRace=Dark Veyra, "
         "lstType=Flyer, lstSize=Small, cmdNext1, lstFArmor=10, lstSArmor=10, lstRArmor=10, "
         "lstOpen=Fully Armored, cmdNext4, lstWpn1_7=Big Smart Bomb",
         "lstWpn1_7", "Slot 8 Weapon = Big Smart Bomb"},
        {"card: cut name, whole in its tip", kLongName, "card:lblName",
         "Name: IronIronIron" + QString("Iron").repeated(20).prepend("*/ ")}};
    for (const Row& row : rows) {
        Shown s(row.steps);
        QWidget* c = row.control.startsWith("card:") ? find(s.card, row.control.mid(5))
                                                     : find(s.w, row.control);
        const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        const QString said = a->text(QAccessible::Name) + " = " + a->text(QAccessible::Value) +
                             " / " + a->text(QAccessible::Description);
        const QStringList parts = row.expected.split('*'); // "*": anything between
        QVERIFY2(said.startsWith(parts[0]) && said.endsWith(parts.value(1)),
                 qPrintable(QString(row.name) + ": " + said));
    }
}

// Each key once, the focus on a list with a row chosen: it acts (opens a menu, a frame, the
// next tab or the list itself, as wide as its longest row), and the list keeps its row.
// Alt+R names the Rules menu, as a menu's key does on every desktop; "&Reset" stays
// reachable by mouse, Tab and Space.
void TestGuards::keysActAtTheFirstPress() {
    const QString hull = "lstRace=Grak, lstType=Tank, lstSize=Normal";
    const std::tuple<const char*, QString, QString, QKeyCombination, QString> rows[] = {
        {"Alt+R", hull, "lstRace", Qt::ALT | Qt::Key_R, "mnuSpecial"},
        {"Alt+N", hull, "lstRace", Qt::ALT | Qt::Key_N, "fraArmor"},
        {"Alt+E", hull, "lstRace", Qt::ALT | Qt::Key_E, "mnuEdit"},
        {"Alt+F", hull, "lstRace", Qt::ALT | Qt::Key_F, "mnuFile"},
        {"Alt+H", hull, "lstRace", Qt::ALT | Qt::Key_H, "mnuHelp"},
        {"Alt, then R", hull, "lstRace", QKeyCombination(Qt::Key_Alt), "mnuSpecial"},
        {"Ctrl+Tab", hull, "lstRace", Qt::CTRL | Qt::Key_Tab, "tab"},
        {"Ctrl+PageUp", hull, "lstRace", Qt::CTRL | Qt::Key_PageUp, "tab"},
        {"Ctrl+PageDown", hull, "lstRace", Qt::CTRL | Qt::Key_PageDown, "tab"},
        {"Alt+Down on a long list", kBlight + ", lstWpn1_2=Combi Slugger/Fusion", "lstWpn1_2",
         Qt::ALT | Qt::Key_Down, "open"}};
    QStringList failed;
    for (const auto& [name, steps, focus, key, then] : rows) {
        Shown s(steps);
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        auto* list = find<QComboBox>(s.w, focus);
        const QString row = list->currentText();
        find<QTabWidget>(s.w, "SSTab1")->setCurrentWidget(list->parentWidget()->parentWidget());
        list->setFocus();
        QTest::keyClick(list, key.key(), key.keyboardModifiers());
        if (key.key() == Qt::Key_Alt)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_R);
        const auto acted = [&, then = then] {
            const QAbstractItemView* open = list->view();
            return then == "tab" ? find<QTabWidget>(s.w, "SSTab1")->currentIndex() == 1
                   : then == "open"
                       ? open->isVisible() && open->viewport()->width() >= widest(*list)
                       : find(s.w, then)->isVisible() && find(s.w, then)->isEnabled();
        };
        if (!QTest::qWaitFor(acted, 2000) || list->currentText() != row)
            failed << name;
    }
    QCOMPARE(failed.join(", "), QString());
}

// Each entry opens its window, whose way out (a key, or a click on its button) presses
// that button once. The card asks once, though the platform activates it again while the
// question is up; whether a second activation comes before the question is the event
// loop's timing, so the card is shown a few times.
void TestGuards::menusOpenTheirWindows() {
    const std::tuple<const char*, QString, QString, int> rows[] = {
        {"Special Rules, Close", "mnuRules", "frmRules", 0},
        {"About, OK", "mnuAbout", "frmAbout", 0},
        {"About, Enter", "mnuAbout", "frmAbout", Qt::Key_Enter},
        {"About, Esc", "mnuAbout", "frmAbout", Qt::Key_Escape},
        {"Print, activated again", "cmdPrint", "frmPrint", 0},
        {"Print, activated again, 2", "cmdPrint", "frmPrint", 0},
        {"Print, activated again, 3", "cmdPrint", "frmPrint", 0},
        {"Print, activated again, 4", "cmdPrint", "frmPrint", 0},
        {"Print, activated again, 5", "cmdPrint", "frmPrint", 0}};
    for (const auto& [name, entry, window, key] : rows) {
        Shown s(entry == "cmdPrint" ? kThrane + ", cmdCalculate" : "");
        s.answers.queue(entry == "cmdPrint" ? "Yes Save No" : "");
        QString seen;
        int pressed = 0;
        QTimer poll;
        poll.callOnTimeout(&s.w, [&, key = key] {
            QWidget* open = QApplication::activeModalWidget();
            if (qobject_cast<QMessageBox*>(open) != nullptr) { // the card's question
                s.card.activateWindow();
                QCoreApplication::postEvent(&s.card, new QEvent(QEvent::WindowActivate));
            } else if (open != nullptr && seen.isEmpty()) {
                seen = open->objectName();
                auto* button = find<QPushButton>(*open, seen == "frmRules" ? "cmdClose" : "cmdOK");
                connect(button, &QPushButton::clicked, [&pressed] { ++pressed; });
                if (key != 0)
                    QTest::keyClick(open, Qt::Key(key));
                else // Close lies over the tab pages: a click there must reach it
                    QTest::mouseClick(open->childAt(button->geometry().center()), Qt::LeftButton);
            }
        });
        poll.start(1);
        if (entry == "cmdPrint") { // Yes, on a machine without a printer: a PDF file
            QTemporaryDir dir;
            QVERIFY(
                printWithoutPrinter(s.card, ivc::makeCard(s.w.model()), dir.filePath("card.pdf")));
            QTest::qWait(200); // long enough for a late question
            QVERIFY2(s.answers.seen.size() == 3, qPrintable(s.answers.seen.join(" / ")));
            continue;
        }
        trigger(s.w, entry); // returns once its window has closed
        QVERIFY2(seen == window && pressed == 1, name);
    }
}

// The windows on a 640 x 480 screen at 1x and 2x, each run as a program of its own (this
// one, its fitHere alone).
void TestGuards::windowsFitASmallScreen() {
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QSKIP("already on a small screen");
    for (const int scale : {1, 2}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM",
                   QStringLiteral("offscreen:configfile=" IVC_TEST_SCREENS "/screen_small_%1x.json")
                       .arg(scale));
        env.insert("QT_SCALE_FACTOR", QString::number(scale));
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {"fitHere"});
        QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0, p.readAll().constData());
    }
}

// Each window with its frame and a title bar inside the screen's free area, as large as
// fits (the screen less a title bar and borders: 632 x 440); one cut short may be resized.
void TestGuards::fitHere() {
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QSKIP("run by windowsFitASmallScreen");
    FrmMain main;
    ivc::ui::FrmRules rules(&main);
    ivc::ui::FrmAbout about(&main);
    const std::tuple<const char*, QWidget*, QSize> rows[] = {
        {"main", &main, {632, 440}}, {"rules", &rules, {632, 440}}, {"about", &about, {}}};
    for (const auto& [name, w, size] : rows) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QRect outer = w->frameGeometry();
        if (outer == w->geometry()) // a platform without frames: allow for one
            outer.adjust(-4, -4 - 32, 4, 4);
        QVERIFY2(w->screen()->availableGeometry().contains(outer), name);
        QVERIFY2(size.isEmpty() || (w->size() == size && w->minimumSize() != w->maximumSize()),
                 name);
    }
}

// With a dark palette that greys nothing, each control looks different closed and open.
void TestGuards::closedControlsLookClosedOnADarkDesktop() {
    const Row rows[] = {
        {"caption", kThrane, "Label25"},
        {"grid box", kThrane + ", lstWpn1_0=Atomizer Cannon, chkMega1_0", "chkTitan_0"},
        {"list", kThrane + ", lstCCW=War Machine CCW", "lstAttacks"},
        {"button", kThrane + ", cmdCalculate", "cmdPrint"}};
    const QColor text(0xe0, 0xe0, 0xe0), ground(0x35, 0x35, 0x35), base(0x23, 0x23, 0x23);
    QApplication::setPalette(
        QPalette(text, ground, ground, ground, ground, text, text, base, ground));
    for (const Row& row : rows) {
        Shown s("");
        QWidget* c = find(s.w, row.control);
        find<QTabWidget>(s.w, "SSTab1")->setCurrentWidget(c->parentWidget()->parentWidget());
        const QImage closed = c->grab().toImage();
        act(s.w, row.steps);
        QVERIFY2(c->isEnabled() && c->grab().toImage() != closed, row.name);
    }
    QApplication::setPalette(QPalette());
}

// Where the card sets its fields (in twips) and at what size (in points); where the
// exported page sets the card: its "Name" caption 36 points (half an inch) in from the
// page's corner and 12 and 18 points (240 and 360 twips) into the card.
void TestGuards::cardAndPageSetTheirFields() {
    const std::tuple<const char*, QString, QRect, double> rows[] = {
        {"name", "lblName", {240, 720, 1335, 495}, 9.75},
        {"points", "lblPoints", {1800, 720, 735, 495}, 9.75},
        {"rear armour", "lblRArmor", {4920, 720, 855, 495}, 9.75},
        {"A", "lblA", {8400, 720, 375, 375}, 9.75},
        {"size", "lblSize", {2040, 1680, 1215, 375}, 9.75},
        {"structure", "lblStructure", {7920, 1680, 975, 375}, 9.75},
        {"last weapon", "lblWeapons_7", {240, 5040, 4815, 255}, 8},
        {"close-combat number", "lblNumCCW", {7920, 2880, 975, 255}, 8},
        {"last special", "lblSpecial_7", {7200, 5040, 1695, 255}, 8},
        {"page", "Name", {48, 54, 0, 0}, 0}};
    Shown s(kThrane + ", cmdCalculate");
    QTemporaryDir dir;
    answerFileDialog(dir.filePath("card.pdf"));
    trigger(s.w, "mnuExport");
    const QString page = output("pdftotext", {"-bbox", dir.filePath("card.pdf"), "-"});
    for (const auto& [name, field, at, points] : rows) {
        if (points == 0) {
            const auto word =
                QRegularExpression(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>)re" + field + "<")
                    .match(page);
            QVERIFY2(qAbs(word.captured(1).toDouble() - at.x()) < 3 &&
                         qAbs(word.captured(2).toDouble() - at.y()) < 3,
                     qPrintable(word.captured()));
            continue;
        }
        const auto* label = find<QLabel>(s.card, field);
        QVERIFY2(label->geometry() == ivc::ui::twipsRect(at.x(), at.y(), at.width(), at.height()) &&
                     label->font().pointSizeF() == points,
                 name);
    }
    // A name far too long for its place shrinks no further than a readable 6 points.
    const Shown cut(kLongName);
    QCOMPARE(cut.card.setting("lblName").font.pixelSize(), 6 * 20);
}

// An export whose file cannot be committed (a folder has taken its name once the file
// dialog closed) is told, naming the file, and the folder stays.
void TestGuards::exportsAreCommittedOrTold() {
    for (const QString suffix : {"pdf", "png", "svg"}) {
        Shown s(kThrane);
        QTemporaryDir dir;
        const QString path = dir.filePath("card." + suffix);
        answerNext<QFileDialog>([&path](QFileDialog& d) {
            d.selectFile(path);
            static_cast<QDialog&>(d).accept();
            QDir().mkdir(path);
        });
        trigger(s.w, "mnuExport");
        QVERIFY2(s.answers.seen.size() == 1 &&
                     s.answers.seen[0].startsWith(
                         "Export Statcard: The Statcard could not be saved as " + path + ": "),
                 qPrintable(suffix + ": " + s.answers.seen.join(" / ")));
        QVERIFY(QFileInfo(path).isDir());
    }
}

QTEST_MAIN(TestGuards)
#include "test_guards.moc"
