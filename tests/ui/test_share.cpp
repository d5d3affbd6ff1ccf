#include "common/fullest_design.h"
#include "common/typical_design.h"
#include "core/design.h"
#include "core/textcard.h"
#include "io/designFile.h"
#include "ui/frmMain.h"
#include "ui/frmPrint.h"
#include "uitest.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>
#include <map>

using namespace ivc;
using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::FrmPrint;

namespace {

// Answers the next modal dialog of this type, once it is up.
template <typename Dialog> void answerNext(std::function<void(Dialog&)> answer) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start(5);
}

void saveTo(const QString& path) {
    answerNext<QFileDialog>([path](QFileDialog& d) {
        d.selectFile(path);
        static_cast<QDialog&>(d).accept();
    });
}

void trigger(const FrmMain& w, const char* action) {
    w.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString oneSpaced(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// Every line of text the card sets, captions and fields, as the card window lays it out.
QStringList cardLines(const CardTexts& texts) {
    FrmPrint card;
    card.setCard(texts);
    QStringList lines;
    for (const QLabel* label : card.findChildren<QLabel*>()) {
        const QString name = label->objectName().isEmpty() ? label->text() : label->objectName();
        for (const QString& line : card.setting(name).lines)
            if (!line.trimmed().isEmpty())
                lines << oneSpaced(line);
    }
    return lines;
}

QStringList missingFrom(const QString& text, const QStringList& lines) {
    QStringList missing;
    const QString spaced = oneSpaced(text);
    for (const QString& line : lines)
        if (!spaced.contains(line))
            missing << line;
    return missing;
}

QString svgText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QString text;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements) + '\n';
    }
    return xml.hasError() ? QStringLiteral("parse error: ") + xml.errorString() : text;
}

// The card's outer frame runs along the picture's edges: the card fills it at full size.
bool framed(const QImage& card) {
    const auto dark = [&card](int x, int y) { return card.pixelColor(x, y).lightness() < 128; };
    return dark(1, 1) && dark(1900, 1150) && dark(1900, 1) && !dark(950, 1100);
}

// The window holding a design, as a user opens it from its file.
void open(FrmMain& w, const MainModel& model, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("design.ivc"));
    QVERIFY(io::saveDesign(path, capture(model)).isEmpty());
    QVERIFY(w.openFile(path));
}

} // namespace

class TestShare : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void menusHoldTheEntriesWithUniqueKeys();
    void exportsReadBack_data();
    void exportsReadBack();
    void exportFailureNamesFileAndReason();
    void copyAsTextRunsTheTotal();
    void printDialog_data();
    void printDialog();
};

// Each menu's entries in order with their shortcuts; an access key names one entry only.
void TestShare::menusHoldTheEntriesWithUniqueKeys() {
    const std::map<QString, QStringList> expected = {
        {QStringLiteral("mnuFile"),
         {QStringLiteral("&Open\u2026 Ctrl+O"), QStringLiteral("&Save Ctrl+S"),
          QStringLiteral("Save &As\u2026 Ctrl+Shift+S"),
          QStringLiteral("&Export Statcard\u2026 Ctrl+E"), QStringLiteral("&Print\u2026 Ctrl+P"),
          QStringLiteral("E&xit ")}},
        {QStringLiteral("mnuEdit"),
         {QStringLiteral("&Undo Ctrl+Z"), QStringLiteral("&Redo Ctrl+Shift+Z"),
          QStringLiteral("Copy Statcard as &Text Ctrl+Shift+C")}},
    };
    FrmMain w;
    for (const auto& [menu, entries] : expected) {
        QStringList shown;
        QSet<QChar> keys;
        for (const QAction* a : find<QMenu>(w, menu)->actions()) {
            if (a->isSeparator())
                continue;
            shown << a->text() + ' ' + a->shortcut().toString();
            const qsizetype amp = a->text().indexOf('&');
            QVERIFY2(amp >= 0 && !keys.contains(a->text()[amp + 1].toLower()),
                     qPrintable(a->text()));
            keys.insert(a->text()[amp + 1].toLower());
        }
        QCOMPARE(shown, entries);
    }
}

void TestShare::exportsReadBack_data() {
    QTest::addColumn<bool>("fullest");
    QTest::addColumn<QString>("suffix");
    for (const char* suffix : {"pdf", "png", "svg"}) {
        QTest::addRow("typical %s", suffix) << false << suffix;
        QTest::addRow("fullest %s", suffix) << true << suffix;
    }
}

// File > Export Statcard: the file holds the card of the design in hand, totalled, and the
// window is left as it was, with no card window.
void TestShare::exportsReadBack() {
    QFETCH(bool, fullest);
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    FrmMain w;
    w.show();
    open(w, fullest ? fullestDesign(Concord, "Longest Name Of Them All") : typicalDesign("Warden"),
         dir);
    act(w, QStringLiteral("chkSkimmer")); // a change the total has not seen yet
    const QString path = dir.filePath(QStringLiteral("card.") + suffix);
    saveTo(path);
    QElapsedTimer clock;
    clock.start();
    trigger(w, "mnuExport");
    qInfo("export took %lld ms", clock.elapsed());
    QCOMPARE(caption(w, QStringLiteral("lblPoints")), QString::number(*w.model().total()));
    QVERIFY(w.isVisible() && (w.cardWindow() == nullptr || !w.cardWindow()->isVisible()));
    const QStringList lines = cardLines(makeCard(w.model()));
    QVERIFY(lines.contains(QString::number(*w.model().total())));

    if (suffix == QLatin1String("pdf")) {
        QCOMPARE(missingFrom(run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}), lines),
                 QStringList());
        QVERIFY(run(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("595 x 842 pts")));
    } else if (suffix == QLatin1String("png")) {
        const QImage image(path);
        QCOMPARE(image.size(), QSize(1904, 1154)); // 9135 x 5535 twips at 300 dpi
        QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 300);
        QVERIFY(framed(image));
    } else {
        QCOMPARE(missingFrom(svgText(path), lines), QStringList());
        QSvgRenderer svg(path);
        QImage image(1904, 1154, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        QVERIFY(framed(image));
    }
}

void TestShare::exportFailureNamesFileAndReason() {
    QTemporaryDir dir;
    FrmMain w;
    w.show();
    open(w, typicalDesign("Warden"), dir);
    BoxAnswerer answers;
    const QString path = dir.filePath(QStringLiteral("no such folder/card.pdf"));
    saveTo(path);
    trigger(w, "mnuExport");
    QCOMPARE(answers.seen.size(), 1);
    QVERIFY2(
        answers.seen[0].startsWith(
            QStringLiteral("Export Statcard: The Statcard could not be saved as %1: ").arg(path)),
        qPrintable(answers.seen[0]));
}

void TestShare::copyAsTextRunsTheTotal() {
    QTemporaryDir dir;
    for (const MainModel& design : {typicalDesign("Warden"), fullestDesign(Concord, "Longest")}) {
        FrmMain w;
        w.show();
        open(w, design, dir);
        act(w, QStringLiteral("chkSkimmer"));
        QApplication::clipboard()->clear();
        trigger(w, "mnuCopyText");
        const QString text = QApplication::clipboard()->text();
        QCOMPARE(text, QString::fromStdString(textCard(makeCard(w.model()))));
        QVERIFY(text.contains(QStringLiteral("Points: %1").arg(*w.model().total())));
    }
    // A design before "&Calculate" is copied as it stands; "&Print" stays closed.
    FrmMain fresh;
    trigger(fresh, "mnuCopyText");
    QCOMPARE(QApplication::clipboard()->text(),
             QString::fromStdString(textCard(makeCard(MainModel()))));
    QVERIFY(!find(fresh, QStringLiteral("cmdPrint"))->isEnabled());
}

void TestShare::printDialog_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("printed") << true;
    QTest::newRow("cancelled") << false;
}

// File > Print…: the card the card window prints, on the printer the dialog returns (here
// Qt's PDF printer); Cancel prints nothing.
void TestShare::printDialog() {
    QFETCH(bool, accept);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    FrmMain w;
    w.show();
    open(w, typicalDesign("Warden"), dir);
    w.setPrinterSetup([&path](QPrinter& printer) { printer.setOutputFileName(path); });
    bool asked = false;
    answerNext<QPrintDialog>([&asked, accept](QPrintDialog& d) {
        asked = true;
        accept ? d.accept() : d.reject();
    });
    trigger(w, "mnuPrintDialog");
    QVERIFY(asked);
    QCOMPARE(QFile::exists(path), accept);
    if (accept)
        QCOMPARE(missingFrom(run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}),
                             cardLines(makeCard(w.model()))),
                 QStringList());
}

QTEST_MAIN(TestShare)
#include "test_share.moc"
