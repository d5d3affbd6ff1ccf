#include "common/typical_design.h"
#include "uitest.h"

#include "core/card.h"
#include "ui/frmPrint.h"
#include "ui/twips.h"

#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using ivc::CardTexts;
using ivc::test::BoxAnswerer;
using ivc::test::SeenBox;
using ivc::ui::FrmPrint;

namespace {

const QString kTitle = QStringLiteral("Statcard Print");
const QString kQuestion = QStringLiteral("Print Statcard?");
const QString kOffer =
    QStringLiteral("There is no default printer. Save the Statcard as a PDF file instead?");
const QString kFailed = QStringLiteral("The Statcard could not be printed.");

CardTexts typicalCard() {
    return ivc::makeCard(ivc::test::typicalDesign("Ironhide"));
}

// A card window on a machine without a printer whose file dialog answers from a queue:
// every print goes the PDF way, into files the test names.
struct Card {
    Card() {
        window.setPrintHooks({[] { return QPrinterInfo(); },
                              [this](QWidget*) {
                                  ++fileQuestions;
                                  return files.isEmpty() ? QString() : files.takeFirst();
                              }});
    }
    FrmPrint window;
    QStringList files;
    int fileQuestions = 0;
};

QString text(const FrmPrint& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QLatin1String(name));
    return label != nullptr ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

// Lets the event loop run long enough for any late question to show up.
void settle(BoxAnswerer& answers, qsizetype expectedBoxes) {
    QTest::qWait(150);
    QCOMPARE(answers.seen().size(), expectedBoxes);
}

QString pdfText(const QString& file, const QStringList& options = {}) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QStringLiteral("<pdftotext (poppler-utils) is not installed>");
    QProcess run;
    run.start(tool, options + QStringList{file, QStringLiteral("-")});
    run.waitForFinished(30000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

} // namespace

class TestFrmPrint : public QObject {
    Q_OBJECT
private slots:
    void fieldsFromTheDesign();
    void unsetFieldsKeepEarlierText();
    void fieldPlacesAndFonts();
    void borderlessCentredAndNothingClipped();
    void questionOnShowAndNoReturns();
    void yesPrintsAndAsksOncePerActivation();
    void lateActivationAsksOnlyOnce();
    void withoutPrinterOffersPdf_data();
    void withoutPrinterOffersPdf();
    void printedAtPhysicalSize();
};

void TestFrmPrint::fieldsFromTheDesign() {
    Card card;
    BoxAnswerer answers;
    answers.queue(QMessageBox::No);
    card.window.showCard(typicalCard());

    const std::pair<const char*, const char*> expected[] = {
        {"lblName", "Ironhide"},
        {"lblPoints", "130"},
        {"lblFArmor", "12"},
        {"lblSArmor", "11"},
        {"lblRArmor", "10"},
        {"lblWS", "3"},
        {"lblBS", "3"},
        {"lblS", "4"},
        {"lblI", "3"},
        {"lblA", "0"},
        {"lblType", "Tank"},
        {"lblSize", "Normal"},
        {"lblSpeed", "Normal"},
        {"lblCategory", "Heavy Support"},
        {"lblStructure", ""},
        {"lblWeapons_0", "1x Twin Linked Beam Cannon"},
        {"lblWeapons_1", "1x None"},
        {"lblWeapons_7", "1x None"},
        {"lblCCW", "CCW"},
        {"lblNumCCW", "0"},
        {"lblSpecial_0", "Fully Armored"},
        {"lblSpecial_1", "Skimmer"},
        {"lblSpecial_2", ""},
        {"lblSpecial_7", ""},
    };
    for (const auto& [name, value] : expected)
        QCOMPARE(text(card.window, name), QString::fromUtf8(value));
}

void TestFrmPrint::unsetFieldsKeepEarlierText() {
    Card card;
    BoxAnswerer answers;
    answers.queue(QMessageBox::No);
    answers.queue(QMessageBox::No);
    card.window.showCard(typicalCard());
    QTRY_VERIFY(card.window.isHidden());

    // A design without race and size leaves profile, size and category unset; everything
    // else is written over the first card.
    CardTexts second = ivc::makeCard(ivc::MainModel());
    QVERIFY(!second.profile && !second.size && !second.category);
    second.name = "Second";
    second.special.fill({});
    second.special[0] = "Open-Topped";
    second.special[7] = "Tow Bar, Carriage";
    second.lastSpecialTooltip = "Tow Bar, Carriage";
    card.window.showCard(second);

    QCOMPARE(text(card.window, "lblName"), QStringLiteral("Second"));
    QCOMPARE(text(card.window, "lblWS"), QStringLiteral("3"));
    QCOMPARE(text(card.window, "lblI"), QStringLiteral("3"));
    QCOMPARE(text(card.window, "lblSize"), QStringLiteral("Normal"));
    QCOMPARE(text(card.window, "lblCategory"), QStringLiteral("Heavy Support"));
    QCOMPARE(text(card.window, "lblWeapons_0"), QString::fromStdString(second.weapons[0]));
    QCOMPARE(text(card.window, "lblSpecial_0"), QStringLiteral("Open-Topped"));
    QCOMPARE(text(card.window, "lblSpecial_1"), QString());
    QCOMPARE(text(card.window, "lblSpecial_7"), QStringLiteral("Tow Bar, Carriage"));
    QCOMPARE(card.window.findChild<QLabel*>(QStringLiteral("lblSpecial_7"))->toolTip(),
             QStringLiteral("Tow Bar, Carriage"));
}

// Samples of the layout: each kind of field, the runs of lines and the second column of
// special options, with the font each kind takes.
void TestFrmPrint::fieldPlacesAndFonts() {
    FrmPrint window;
    struct Sample {
        const char* name;
        QRect twips;
        double points;
    };
    const double plain = ivc::ui::dialogFont().pointSizeF();
    const Sample samples[] = {
        {"lblName", {240, 720, 1335, 495}, 9.75},
        {"lblA", {8400, 720, 375, 375}, 9.75},
        {"lblCategory", {5400, 1680, 2175, 375}, 9.75},
        {"lblStructure", {7920, 1680, 975, 375}, 9.75},
        {"lblWeapons_0", {240, 2520, 4815, 255}, plain},
        {"lblWeapons_7", {240, 5040, 4815, 255}, plain},
        {"lblNumCCW", {7920, 2880, 975, 255}, plain},
        {"lblSpecial_3", {5400, 5040, 1695, 255}, plain},
        {"lblSpecial_4", {7200, 3960, 1695, 255}, plain},
    };
    for (const Sample& s : samples) {
        const auto* label = window.findChild<QLabel*>(QLatin1String(s.name));
        QVERIFY2(label != nullptr, s.name);
        const QRect& t = s.twips;
        QCOMPARE(label->geometry(), ivc::ui::twipsRect(t.x(), t.y(), t.width(), t.height()));
        QCOMPARE(label->font().pointSizeF(), s.points);
        QCOMPARE(label->font().family(), ivc::ui::dialogFont().family());
    }
}

void TestFrmPrint::borderlessCentredAndNothingClipped() {
    Card card;
    BoxAnswerer answers;
    answers.queue(QMessageBox::No);
    card.window.showCard(typicalCard());

    QVERIFY(card.window.isWindow());
    QVERIFY(card.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(card.window.size(), QSize(609, 369)); // 9135 x 5535 twips
    QCOMPARE(card.window.minimumSize(), card.window.maximumSize());
    const QRect screen = card.window.screen()->availableGeometry();
    QVERIFY(qAbs(card.window.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(card.window.geometry().center().y() - screen.center().y()) <= 1);

    // 19 captions, 33 value fields; every text of the design fits its place.
    const QList<QLabel*> labels = card.window.findChildren<QLabel*>();
    QCOMPARE(labels.size(), 52);
    for (const QLabel* label : labels) {
        const QString what = label->objectName().isEmpty() ? label->text() : label->objectName();
        QVERIFY2(card.window.rect().contains(label->geometry()), qPrintable(what));
        const QSize needed = label->fontMetrics().size(Qt::TextSingleLine, label->text());
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(what));
    }
}

void TestFrmPrint::questionOnShowAndNoReturns() {
    Card card;
    QSignalSpy back(&card.window, &FrmPrint::returnToMain);
    BoxAnswerer answers;
    answers.queue(QMessageBox::No);
    card.window.showCard(typicalCard());

    QTRY_COMPARE(back.count(), 1);
    QVERIFY(card.window.isHidden());
    settle(answers, 1);
    const SeenBox& box = answers.seen().front();
    QCOMPARE(box.title, kTitle);
    QCOMPARE(box.text, kQuestion);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::Yes);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(box.modal);
    QCOMPARE(card.fileQuestions, 0);

    // The same window, shown again for the next card, asks again.
    answers.queue(QMessageBox::No);
    card.window.showCard(typicalCard());
    QTRY_COMPARE(back.count(), 2);
    settle(answers, 2);
}

void TestFrmPrint::yesPrintsAndAsksOncePerActivation() {
    Card card;
    QTemporaryDir dir;
    card.files = {dir.filePath(QStringLiteral("first.pdf")),
                  dir.filePath(QStringLiteral("second.pdf"))};
    QSignalSpy back(&card.window, &FrmPrint::returnToMain);
    BoxAnswerer answers;
    for (auto answer : {QMessageBox::Yes, QMessageBox::Save, QMessageBox::Yes, QMessageBox::Save,
                        QMessageBox::No})
        answers.queue(answer);
    card.window.showCard(typicalCard());

    QTRY_COMPARE(back.count(), 1);
    settle(answers, 5);
    QStringList texts;
    for (const SeenBox& box : answers.seen())
        texts << box.text;
    QCOMPARE(texts, (QStringList{kQuestion, kOffer, kQuestion, kOffer, kQuestion}));
    QCOMPARE(card.fileQuestions, 2);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("first.pdf"))).size() > 0);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("second.pdf"))).size() > 0);
}

// A platform may report the card's activation again while the question is up or just
// after it closed; that is the same focus gain and must not bring a second question.
void TestFrmPrint::lateActivationAsksOnlyOnce() {
    Card card;
    QTemporaryDir dir;
    card.files = {dir.filePath(QStringLiteral("copy.pdf"))};
    QSignalSpy back(&card.window, &FrmPrint::returnToMain);
    BoxAnswerer answers;
    for (auto answer : {QMessageBox::Yes, QMessageBox::Save, QMessageBox::No})
        answers.queue(answer);
    QTimer stray;
    int strays = 0;
    // While a box is up, the activation goes over to the card and is reported twice.
    connect(&stray, &QTimer::timeout, &card.window, [&] {
        if (QApplication::activeModalWidget() == nullptr || strays >= 20)
            return;
        ++strays;
        card.window.activateWindow();
        QCoreApplication::postEvent(&card.window, new QEvent(QEvent::WindowActivate));
    });
    stray.start(1);
    card.window.showCard(typicalCard());

    QTRY_COMPARE(back.count(), 1);
    stray.stop();
    QVERIFY(strays > 0);
    settle(answers, 3);
    QCOMPARE(answers.seen()[2].text, kQuestion);
}

void TestFrmPrint::withoutPrinterOffersPdf_data() {
    QTest::addColumn<QMessageBox::StandardButton>("offer");
    QTest::addColumn<QString>("file"); // what the file dialog answers; "" for Cancel
    QTest::addColumn<int>("fileQuestions");
    QTest::addColumn<bool>("failure");
    QTest::newRow("cancel the offer") << QMessageBox::Cancel << "out.pdf" << 0 << false;
    QTest::newRow("cancel the file dialog") << QMessageBox::Save << "" << 1 << false;
    QTest::newRow("save") << QMessageBox::Save << "out.pdf" << 1 << false;
    QTest::newRow("unwritable folder") << QMessageBox::Save << "missing/out.pdf" << 1 << true;
}

void TestFrmPrint::withoutPrinterOffersPdf() {
    QFETCH(QMessageBox::StandardButton, offer);
    QFETCH(QString, file);
    QFETCH(int, fileQuestions);
    QFETCH(bool, failure);
    QTemporaryDir dir;
    Card card;
    if (!file.isEmpty())
        card.files = {dir.filePath(file)};
    QSignalSpy back(&card.window, &FrmPrint::returnToMain);
    BoxAnswerer answers;
    answers.queue(QMessageBox::Yes);
    answers.queue(offer);
    if (failure)
        answers.queue(QMessageBox::Ok);
    answers.queue(QMessageBox::No);
    card.window.showCard(typicalCard());

    QTRY_COMPARE(back.count(), 1);
    settle(answers, failure ? 4 : 3);
    const SeenBox& box = answers.seen()[1];
    QCOMPARE(box.title, kTitle);
    QCOMPARE(box.text, kOffer);
    QCOMPARE(box.buttons, QMessageBox::Save | QMessageBox::Cancel);
    QCOMPARE(box.defaultButton, QMessageBox::Save);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(box.modal);
    if (failure) {
        QCOMPARE(answers.seen()[2].text, kFailed);
        QCOMPARE(answers.seen()[2].buttons, QMessageBox::Ok);
        QCOMPARE(answers.seen()[2].icon, QMessageBox::NoIcon);
    }
    QCOMPARE(answers.seen().back().text, kQuestion);
    QCOMPARE(card.fileQuestions, fileQuestions);

    const QStringList written = QDir(dir.path()).entryList(QDir::Files);
    if (offer != QMessageBox::Save || file.isEmpty() || failure) {
        QCOMPARE(written, QStringList());
        return;
    }
    QFile pdf(dir.filePath(file));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    const QString content = pdfText(pdf.fileName(), {QStringLiteral("-layout")});
    for (const char* expected :
         {"Ironhide", "130", "Heavy Support", "1x Twin Linked Beam Cannon", "Fully Armored",
          "Skimmer", "Close Combat Weapon", "Structure Pts"})
        QVERIFY2(content.contains(QLatin1String(expected)), expected);
}

// On paper the card keeps its laid-out size: captions 1560 twips apart across ("Name"
// to "Points") are 78 points apart, and 1920 twips down ("Name" to "Weapons") 96 points.
void TestFrmPrint::printedAtPhysicalSize() {
    QTemporaryDir dir;
    Card card;
    card.files = {dir.filePath(QStringLiteral("card.pdf"))};
    QSignalSpy back(&card.window, &FrmPrint::returnToMain);
    BoxAnswerer answers;
    for (auto answer : {QMessageBox::Yes, QMessageBox::Save, QMessageBox::No})
        answers.queue(answer);
    card.window.showCard(typicalCard());
    QTRY_COMPARE(back.count(), 1);

    const QString boxes =
        pdfText(dir.filePath(QStringLiteral("card.pdf")), {QStringLiteral("-bbox")});
    const auto corner = [&](const QString& word) {
        static const char* const pattern =
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>%1</word>)re";
        const QRegularExpression re(QString::fromLatin1(pattern).arg(word));
        const QRegularExpressionMatch m = re.match(boxes);
        return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())
                            : QPointF(-1000, -1000);
    };
    const QPointF name = corner(QStringLiteral("Name"));
    const QPointF points = corner(QStringLiteral("Points"));
    const QPointF weapons = corner(QStringLiteral("Weapons"));
    QVERIFY2(name.x() >= 0, qPrintable(boxes.left(2000)));
    QVERIFY2(qAbs(points.x() - name.x() - 78.0) < 1.0, qPrintable(QString::number(points.x())));
    QVERIFY2(qAbs(weapons.y() - name.y() - 96.0) < 1.0, qPrintable(QString::number(weapons.y())));
}

QTEST_MAIN(TestFrmPrint)
#include "test_frmPrint.moc"
