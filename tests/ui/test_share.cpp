#include "uitest.h"

using namespace ivc;
using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::FrmPrint;

namespace {

QString oneSpaced(QString text) {
    return text.replace(QRegularExpression("\\s+"), " ");
}

// Every line of text the card sets, captions and fields, as the card window lays it out.
QStringList cardLines(const CardTexts& texts) {
    FrmPrint card;
    card.setCard(texts);
    QStringList lines;
    for (const QString& field : cardFields(card))
        for (const QString& line : card.setting(field).lines)
            if (!line.trimmed().isEmpty())
                lines << oneSpaced(line);
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
    return xml.hasError() ? "parse error: " + xml.errorString() : text;
}

// The card's outer frame runs along the picture's edges: the card fills it at full size.
bool framed(const QImage& card) {
    const auto dark = [&card](int x, int y) { return card.pixelColor(x, y).lightness() < 128; };
    return dark(1, 1) && dark(1900, 1150) && dark(1900, 1) && !dark(950, 1100);
}

} // namespace

class TestShare : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void exportsReadBack();
    void copyAsTextRunsTheTotal();
    void printDialog();
};

// File > Export Statcard, each format in turn: the file holds the card of the design in
// hand, totalled, and the window is left as it was, with no card window. A file that cannot
// be written is told, naming it and the reason.
void TestShare::exportsReadBack() {
    for (const MainModel& design :
         {typicalDesign("Warden"), fullestDesign(Concord, "Longest Name Of Them All")}) {
        QTemporaryDir dir;
        FrmMain w;
        w.show();
        QVERIFY(openDesign(w, design, dir));
        act(w, "chkSkimmer"); // a change the total has not seen yet
        for (const QString suffix : {"pdf", "png", "svg"}) {
            const QString path = dir.filePath("card." + suffix);
            answerFileDialog(path);
            QElapsedTimer clock;
            clock.start();
            trigger(w, "mnuExport");
            qInfo("export took %lld ms", clock.elapsed());
            QCOMPARE(caption(w, "lblPoints"), QString::number(*w.model().total()));
            QVERIFY(w.isVisible() && (w.cardWindow() == nullptr || !w.cardWindow()->isVisible()));
            const QStringList lines = cardLines(makeCard(w.model()));
            QVERIFY(lines.contains(QString::number(*w.model().total())));
            QImage image(path);
            if (suffix == "pdf") {
                QCOMPARE(missingFrom(output("pdftotext", {path, "-"}), lines), QStringList());
                QVERIFY(output("pdfinfo", {path}).contains("595 x 842 pts"));
                continue;
            }
            if (suffix == "svg") {
                QCOMPARE(missingFrom(svgText(path), lines), QStringList());
                image = QImage(1904, 1154, QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter painter(&image);
                QSvgRenderer(path).render(&painter);
            } else {
                QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 300);
            }
            QCOMPARE(image.size(), QSize(1904, 1154)); // 9135 x 5535 twips at 300 dpi
            QVERIFY(framed(image));
        }
        BoxAnswerer answers;
        const QString path = dir.filePath("no such folder/card.pdf");
        answerFileDialog(path);
        trigger(w, "mnuExport");
        QCOMPARE(answers.seen.size(), 1);
        const QString told = "Export Statcard: The Statcard could not be saved as " + path + ": ";
        QVERIFY2(answers.seen[0].startsWith(told), qPrintable(answers.seen[0]));
    }
}

// Edit > Copy Statcard as Text totals the design first; a design before "&Calculate" is
// copied as it stands, and "&Print" stays closed.
void TestShare::copyAsTextRunsTheTotal() {
    QTemporaryDir dir;
    FrmMain w;
    w.show();
    QVERIFY(openDesign(w, typicalDesign("Warden"), dir));
    act(w, "chkSkimmer"); // untick it, 20 points
    trigger(w, "mnuCopyText");
    QCOMPARE(QApplication::clipboard()->text().section('\n', 0, 0), "Name: Warden   Points: 110");
    FrmMain fresh;
    trigger(fresh, "mnuCopyText");
    QCOMPARE(QApplication::clipboard()->text().section('\n', 0, 0), "Name:    Points: ");
    QVERIFY(!find(fresh, "cmdPrint")->isEnabled());
}

// File > Print…: the card the card window prints, on the printer the dialog returns (here
// Qt's PDF printer); Cancel prints nothing.
void TestShare::printDialog() {
    for (const bool accept : {true, false}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("printed.pdf");
        FrmMain w;
        w.show();
        QVERIFY(openDesign(w, typicalDesign("Warden"), dir));
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
            QCOMPARE(missingFrom(output("pdftotext", {path, "-"}), cardLines(makeCard(w.model()))),
                     QStringList());
    }
}

QTEST_MAIN(TestShare)
#include "test_share.moc"
