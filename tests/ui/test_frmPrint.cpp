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
const QString kFailed = QStringLiteral("Statcard Print: The Statcard could not be printed. [*Ok]");

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

} // namespace

class TestFrmPrint : public QObject {
    Q_OBJECT
private slots:
    void borderlessCentredAndNothingClipped();
    void printQuestionOncePerFocusGain_data();
    void printQuestionOncePerFocusGain();
};

// The last special line may gather several entries; its tooltip holds them all.
void TestFrmPrint::borderlessCentredAndNothingClipped() {
    Card hooked; // stays off the machine's printers whatever the answer
    FrmPrint& card = hooked.window;
    BoxAnswerer answers;
    answers.queue("No");
    ivc::CardTexts texts = ivc::makeCard(ivc::test::typicalDesign("Ironhide"));
    texts.special[7] = texts.lastSpecialTooltip = "Tow Bar, Carriage";
    card.showCard(texts);
    QCOMPARE(find(card, "lblSpecial_7")->toolTip(), QStringLiteral("Tow Bar, Carriage"));
    QVERIFY(card.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(card.size(), QSize(609, 369)); // 9135 x 5535 twips
    QCOMPARE(card.minimumSize(), card.maximumSize());
    const QPoint off = card.geometry().center() - card.screen()->availableGeometry().center();
    QVERIFY(off.manhattanLength() <= 2);
    QCOMPARE(find(card, "lblSpecial_4")->geometry(), ivc::ui::twipsRect(7200, 3960, 1695, 255));
    QCOMPARE(find(card, "lblName")->font().pointSizeF(), 9.75);
    QStringList captions;
    for (const QLabel* label : card.findChildren<QLabel*>()) {
        QVERIFY2(fits(*label), qPrintable(label->objectName() + label->text()));
        if (label->objectName().isEmpty())
            captions << label->text();
    }
    QCOMPARE(captions.join(','), "Name,Points,Front Armor,Side Armor,Rear Armor,WS,BS,S,I,A,Type,"
                                 "Size,Speed,Category,Structure Pts,Weapons,Close Combat Weapon,"
                                 "Number,Special Options");
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
    QTest::newRow("unwritable folder") << "Yes Save Ok No" << QStringList("no/a.pdf") << false
                                       << QStringList{kQuestion, kOffer, kFailed, kQuestion} << 0;
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
