#include "common/fullest_design.h"
#include "common/typical_design.h"
#include "uitest.h"

#include "core/card.h"
#include "ui/frmPrint.h"
#include "ui/twips.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace ivc::test;
using ivc::ui::FrmPrint;

namespace {

const QString kQuestion = QStringLiteral("Statcard Print: Print Statcard? [*Yes No]");
const QString kOffer = QStringLiteral("Statcard Print: There is no default printer. Save the "
                                      "Statcard as a PDF file instead? [*Save Cancel]");
const QString kNotSaved = QStringLiteral("Statcard Print: The Statcard could not be saved as "
                                         "%1: No such file or directory. [*Ok]");

// A card window on a machine without a printer, whose file dialog answers with the next of
// `files` (Cancel when none is left): every print goes the PDF way.
struct Card {
    explicit Card(const QStringList& pdfFiles = {}) : files(pdfFiles) {
        window.setPrintHooks({[] { return QPrinterInfo(); },
                              [this](QWidget*) {
                                  ++fileQuestions;
                                  return files.isEmpty() ? QString() : files.takeFirst();
                              }});
    }
    void show() { window.showCard(ivc::makeCard(ivc::test::typicalDesign("Ironhide"))); }
    // Waits for the way back to the main window, then long enough for a late question.
    void waitForReturn(int times) {
        QTRY_COMPARE(back.count(), times);
        QTest::qWait(150);
    }

    FrmPrint window;
    QSignalSpy back{&window, &FrmPrint::returnToMain};
    QStringList files;
    int fileQuestions = 0;
};

// Prints a card the PDF way (a machine without a printer) and returns the page's text.
QString printedText(const ivc::CardTexts& texts) {
    QTemporaryDir dir;
    const QString file = dir.filePath("card.pdf");
    Card card({file});
    BoxAnswerer answers;
    answers.queue("Yes Save No");
    card.window.showCard(texts);
    card.waitForReturn(1);
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-enc", "UTF-8", file, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
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

// Every caption and value field: captions by their text, values by their objectName.
QStringList fields(const FrmPrint& card) {
    QStringList names;
    for (const QLabel* label : card.findChildren<QLabel*>())
        names << (label->objectName().isEmpty() ? label->text() : label->objectName());
    return names;
}

} // namespace

class TestFrmPrint : public QObject {
    Q_OBJECT
private slots:
    void fullestCardKeepsEveryWord_data();
    void fullestCardKeepsEveryWord();
    void everyLengthStaysInItsPlace();
    void nameShrinksWrapsThenElides_data();
    void nameShrinksWrapsThenElides();
    void blackOnWhiteUnderADarkPalette();
    void printQuestionOncePerFocusGain_data();
    void printQuestionOncePerFocusGain();
};

void TestFrmPrint::fullestCardKeepsEveryWord_data() {
    QTest::addColumn<int>("race");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");                          // as screen and paper show it
    const QString phoenician = QString::fromUcs4(U"\U00010900"); // in no installed font
    const QString replaced(QChar::ReplacementCharacter);
    const QString names[] = {"Ironhide", "Ærøskøbing", "Ζεύς Άρης",           "Warden of Gates",
                             "鋼鉄の獣", "Grimtusk",   "Forge " + phoenician, "Blightmaw"};
    for (int race = 1; race <= 8; ++race) {
        const QString& name = names[race - 1];
        QString shown = name;
        shown.replace(phoenician, replaced);
        QTest::addRow("%s", ivc::raceInfo(race)->name.data()) << race << name << shown;
    }
}

// The fullest design the controls allow, for every race: every text fits its place at a
// readable size, the fields' places do not overlap, and the printed page holds every word
// as the screen shows it, letters of any script included.
void TestFrmPrint::fullestCardKeepsEveryWord() {
    QFETCH(int, race);
    QFETCH(QString, name);
    QFETCH(QString, shown);
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
    for (const QString& field : fields(card))
        if (!field.startsWith("lbl"))
            captions << field;
    QCOMPARE(captions.join(','), "Name,Points,Front Armor,Side Armor,Rear Armor,WS,BS,S,I,A,Type,"
                                 "Size,Speed,Category,Structure Pts,Weapons,Close Combat Weapon,"
                                 "Number,Special Options");

    QStringList words;
    QList<QRectF> inks;
    for (const QString& field : fields(card)) {
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

// Texts of every length up to the longest weapon line, in every field at once: each stays
// readable inside its own place, and no weapon or special line is ever cut short.
void TestFrmPrint::everyLengthStaysInItsPlace() {
    const ivc::CardTexts fullest = ivc::makeCard(fullestDesign(ivc::Veyra, "Ironhide"));
    const QString longest = QString::fromStdString(fullest.weapons[0]);
    const qsizetype longestSpecial = qsizetype(fullest.special[7].size());
    FrmPrint card;
    for (qsizetype length = 1; length <= longest.size(); length += 3) {
        const std::string text = longest.left(length).toStdString();
        ivc::CardTexts texts;
        for (std::string* field : {&texts.name, &texts.points, &texts.frontArmor, &texts.sideArmor,
                                   &texts.rearArmor, &texts.attacks, &texts.type, &texts.speed,
                                   &texts.structure, &texts.closeCombat, &texts.closeCombatNumber})
            *field = text;
        texts.profile = std::array{text, text, text, text};
        texts.size = texts.category = text;
        texts.weapons.fill(text);
        texts.special.fill(text);
        card.showCard(texts);
        card.hide();
        QList<QRectF> inks;
        for (const QString& field : fields(card)) {
            const QString problem = misfit(card, field, inks);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            const bool kept = !field.startsWith("lblWeapons") &&
                              (!field.startsWith("lblSpecial") || length > longestSpecial);
            QVERIFY2(kept || !card.setting(field).elided, qPrintable(field));
        }
    }
}

void TestFrmPrint::nameShrinksWrapsThenElides_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lines");
    QTest::addColumn<double>("points"); // the largest size at which it fits so
    QTest::addColumn<bool>("elided");
    QTest::newRow("fits") << "Ironhide" << 1 << 9.75 << false;
    QTest::newRow("shrinks") << "Ironhide the Bold" << 1 << 8.75 << false;
    QTest::newRow("wraps") << "Ironhide the Unbroken of Vale" << 2 << 8.5 << false;
    QTest::newRow("elided") << "The Indomitable Iron Fortress of the Seventh Bastion Legion" << 2
                            << 6.0 << true;
    QTest::newRow("one long word") << QString("Iron").repeated(20) << 2 << 6.0 << true;
}

// A name too long for its field at the card's size is shrunk while it stays readable, then
// wrapped onto a second line, and only then cut short with "…" after whole letters; the
// whole name stays in the field's tooltip.
void TestFrmPrint::nameShrinksWrapsThenElides() {
    QFETCH(QString, name);
    QFETCH(int, lines);
    QFETCH(double, points);
    QFETCH(bool, elided);
    FrmPrint card;
    ivc::CardTexts texts;
    texts.name = name.toStdString();
    card.showCard(texts);
    card.hide();
    const FrmPrint::Setting s = card.setting("lblName");
    QCOMPARE(s.lines.size(), lines);
    QCOMPARE(s.font.pixelSize(), int(points * 20)); // sized in twips
    QCOMPARE(s.elided, elided);
    QList<QRectF> inks;
    QVERIFY(misfit(card, "lblName", inks).isEmpty());
    QString kept = s.lines.join(QString());
    if (elided) {
        QVERIFY(kept.endsWith(QChar(0x2026)));
        kept.chop(1);
        QCOMPARE(find<QLabel>(card, "lblName")->toolTip(), name);
    }
    // What is shown is the name itself, or its beginning, whole letters only.
    QVERIFY2(QString(name).remove(' ').startsWith(kept.remove(' ')), qPrintable(kept));
}

// The card and its print are black on white whatever the desktop's colours.
void TestFrmPrint::blackOnWhiteUnderADarkPalette() {
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    FrmPrint card;
    card.showCard(ivc::makeCard(typicalDesign("Ironhide")));
    card.hide();
    const QImage image = card.grab().toImage();
    QApplication::setPalette(before);
    QCOMPARE(image.pixelColor(4, 4), QColor(Qt::white));   // inside the outer frame
    QCOMPARE(image.pixelColor(0, 100), QColor(Qt::black)); // the frame
    int darkest = 255;
    for (int y = 48; y < 64; ++y)
        for (int x = 16; x < 70; ++x) // the name
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    QVERIFY(darkest < 60);
}

void TestFrmPrint::printQuestionOncePerFocusGain_data() {
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QStringList>("files"); // the file dialog's answers
    QTest::addColumn<bool>("strays");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("printed");
    QTest::newRow("No") << "No" << QStringList() << false << QStringList(kQuestion) << 0;
    const QStringList twice = {kQuestion, kOffer, kQuestion, kOffer, kQuestion};
    QTest::newRow("Yes asks again")
        << "Yes Save Yes Save No" << QStringList{"a.pdf", "b.pdf"} << false << twice << 2;
    // A platform may report the activation again while a box is up; that is the same focus
    // gain and must not bring a second question.
    QTest::newRow("stray activations")
        << "Yes Save Yes Save No" << QStringList{"a.pdf", "b.pdf"} << true << twice << 2;
    const QStringList once = {kQuestion, kOffer, kQuestion};
    QTest::newRow("cancel the offer")
        << "Yes Cancel No" << QStringList("a.pdf") << false << once << 0;
    QTest::newRow("cancel the file") << "Yes Save No" << QStringList() << false << once << 0;
    QTest::newRow("missing folder") << "Yes Save Ok No" << QStringList("no/a.pdf") << false
                                    << QStringList{kQuestion, kOffer, kNotSaved, kQuestion} << 0;
}

// The card asks whenever it gains the focus, once; No hides it and returns, Yes prints
// and asks again; without a printer a PDF file is offered, and cancelling writes nothing.
void TestFrmPrint::printQuestionOncePerFocusGain() {
    QFETCH(QString, answers);
    QFETCH(QStringList, files);
    QFETCH(bool, strays);
    QFETCH(QStringList, boxes);
    QFETCH(int, printed);
    QTemporaryDir dir;
    for (QString& file : files)
        file = dir.filePath(file);
    for (QString& box : boxes)
        box = box.arg(files.value(0));
    Card card(files);
    BoxAnswerer answerer;
    answerer.queue(answers + " No");
    QTimer stray;
    int posted = 0;
    connect(&stray, &QTimer::timeout, &card.window, [&] {
        if (QApplication::activeModalWidget() == nullptr || posted >= 20)
            return;
        ++posted;
        card.window.activateWindow();
        QCoreApplication::postEvent(&card.window, new QEvent(QEvent::WindowActivate));
    });
    if (strays)
        stray.start(1);
    card.show();
    card.waitForReturn(1);
    QCOMPARE(posted > 0, strays);
    QVERIFY(card.window.isHidden());
    QCOMPARE(answerer.seen, boxes);
    QCOMPARE(card.fileQuestions, int(answers.count("Save")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), printed);
    // After the stray activations the offscreen platform keeps the hidden card as its focus
    // window, so showing it again is no focus gain there.
    if (strays)
        return;
    card.show(); // the same window, shown again for the next card, asks again
    card.waitForReturn(2);
    QCOMPARE(answerer.seen, boxes << kQuestion);
    if (printed == 0)
        return;

    // The card goes out as text at its laid-out size: captions 1560 twips apart across
    // ("Name" to "Points") are 78 points apart, 1920 twips down ("Name" to "Weapons") 96.
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", files[0], "-"});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString page = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QVERIFY2(page.contains(">Ironhide</word>"), qPrintable(page));
    const auto corner = [&page](const QString& word) {
        const QString re = R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>)re" + word + "</word>";
        const auto m = QRegularExpression(re).match(page);
        return QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
    };
    const QPointF name = corner("Name");
    QVERIFY(name.x() > 0 && qAbs(corner("Points").x() - name.x() - 78.0) < 1.0);
    QVERIFY(qAbs(corner("Weapons").y() - name.y() - 96.0) < 1.0);
}

QTEST_MAIN(TestFrmPrint)
#include "test_frmPrint.moc"
