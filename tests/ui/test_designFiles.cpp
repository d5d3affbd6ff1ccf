#include "uitest.h"

#include "common/file_size_limit.h"
#include "ui/cardExport.h"

using namespace ivc;
using namespace ivc::test;
using ivc::ui::FrmMain;
using ivc::ui::FrmPrint;

namespace {

const QString kTitle = "Ironvale Vehicle Creator";

QString actionText(const FrmMain& w, const char* action) {
    return find<QAction>(w, action)->text();
}

// The controls whose widget shows something else than the model holds: a list's rows and
// row, a tick, a caption, the name, whether it is open (as set, not as inherited from its
// frame).
QStringList mirrorDifferences(const FrmMain& w) {
    QStringList diffs;
    const MainModel& m = w.model();
    const auto same = [&diffs](const QWidget* widget, bool on, bool rest) {
        if (widget->testAttribute(Qt::WA_ForceDisabled) == on || !rest)
            diffs << widget->objectName();
    };
    for (ListId id : allLists())
        for (int s = 0; s < instances(id); ++s) {
            const auto* c = find<QComboBox>(w, QString::fromStdString(objectName({id, s})));
            const ListState& l = m.list({id, s});
            bool rows = c->count() == static_cast<int>(l.rows.size());
            for (int i = 0; rows && i < c->count(); ++i)
                rows = c->itemText(i).toStdString() == l.rows[static_cast<std::size_t>(i)];
            same(c, l.enabled, c->currentIndex() == l.selected && rows);
        }
    for (CheckId id : allChecks())
        for (int s = 0; s < instances(id); ++s) {
            const auto* c = find<QCheckBox>(w, QString::fromStdString(objectName({id, s})));
            same(c, m.check({id, s}).enabled, c->isChecked() == m.check({id, s}).checked);
        }
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        const auto id = static_cast<LabelId>(i);
        const auto* label = find<QLabel>(w, QString::fromUtf8(name(id).data()));
        same(label, true, label->text().toStdString() == m.caption(id));
    }
    same(find(w, "txtName"), true, find<QLineEdit>(w, "txtName")->text().toStdString() == m.name());
    return diffs;
}

// The window shows what its model holds, and that is `expected`.
void expectShown(const FrmMain& w, const Controls& expected) {
    QCOMPARE(mirrorDifferences(w), QStringList());
    QVERIFY(w.model().controls() == expected);
}

// Every line of text the card sets, captions and fields, as the card window lays it out.
QStringList cardLines(const CardTexts& texts) {
    FrmPrint card;
    card.setCard(texts);
    QStringList lines;
    for (const QLabel* label : card.findChildren<QLabel*>()) // a caption by its text
        for (const QString& line :
             card.setting(label->objectName().isEmpty() ? label->text() : label->objectName())
                 .lines)
            if (!line.trimmed().isEmpty())
                lines << line.simplified();
    return lines;
}

QStringList missingFrom(const QString& text, const QStringList& lines) {
    QStringList missing;
    const QString spaced = text.simplified();
    for (const QString& line : lines)
        if (!spaced.contains(line))
            missing << line;
    return missing;
}

QString svgText(const QString& path) {
    QXmlStreamReader xml(readAll(path));
    QString text;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements) + '\n';
    return xml.hasError() ? "parse error: " + xml.errorString() : text;
}

// The card's outer frame runs along the picture's edges: the card fills it at full size.
bool framed(const QImage& card) {
    const auto dark = [&card](int x, int y) { return card.pixelColor(x, y).lightness() < 128; };
    return dark(1, 1) && dark(1900, 1150) && dark(1900, 1) && !dark(950, 1100);
}

} // namespace

class TestDesignFiles : public QObject {
    Q_OBJECT
private slots:
    void saveReopenUndoRedoThroughTheMenus();
    void exportsReadBack();
    void printDialog();
    void cardWritesOnAFullDiskKeepTheOldFile();
};

// The walk-through design saved through File > Save (as the committed example), changed
// and undone, reopened through File > Open after the question, then its reset undone and
// redone and a run of typing undone as one step.
void TestDesignFiles::saveReopenUndoRedoThroughTheMenus() {
    QTemporaryDir dir;
    const QString path = dir.filePath("warden.ivc");
    FrmMain w;
    w.show();
    BoxAnswerer answers;
    act(w, kTypical);
    QCOMPARE(actionText(w, "mnuUndo"), "&Undo Calculate");
    QCOMPARE(w.undoStack()->command(w.undoStack()->count() - 5)->text(),
             QString("Beam Cannon, slot 1"));
    answerFileDialog(path);
    trigger(w, "mnuSave");
    QCOMPARE(readAll(path), readAll(QString(IVC_TEST_DATA "/typical.ivc")));
    QCOMPARE(w.windowTitle(), QString("warden.ivc[*] \u2014 ") + kTitle);
    act(w, "cmdCalculate"); // the same points again change nothing
    QVERIFY(!w.isWindowModified() && w.undoStack()->isClean());

    act(w, "chkTwin1_0");
    QVERIFY(w.isWindowModified());
    QCOMPARE(actionText(w, "mnuUndo"), "&Undo Twin Linked, slot 1");
    trigger(w, "mnuUndo");
    QVERIFY(find<QCheckBox>(w, "chkTwin1_0")->isChecked() && !w.isWindowModified());
    QCOMPARE(actionText(w, "mnuRedo"), "&Redo Twin Linked, slot 1");

    act(w, "cmdReset");
    answers.queue("Discard");
    answerFileDialog(path);
    trigger(w, "mnuOpen");
    QCOMPARE(answers.seen, QStringList("Ironvale Vehicle Creator: Save changes to this design? "
                                       "[*Save Cancel Discard]"));
    QCOMPARE(caption(w, "lblPoints"), "130");
    QVERIFY(!w.findChild<QAction*>("mnuUndo")->isEnabled());
    const Controls opened = w.model().controls();

    act(w, "cmdReset");
    QCOMPARE(caption(w, "lblPoints"), QString());
    trigger(w, "mnuUndo");
    expectShown(w, opened);
    trigger(w, "mnuRedo");
    QVERIFY(find(w, "fraRace")->isEnabled() && caption(w, "lblPoints").isEmpty());
    trigger(w, "mnuUndo");

    QTest::keyClicks(find(w, "txtName"), "-II");
    QCOMPARE(actionText(w, "mnuUndo"), "&Undo Vehicle Name");
    trigger(w, "mnuUndo");
    QCOMPARE(find<QLineEdit>(w, "txtName")->text(), "Warden");
    expectShown(w, opened);

    // On a full disk (a file size limit stands in for it) Save and Save As tell the file and
    // the reason, keep the old bytes and leave the design modified under its old title.
    act(w, "chkTwin1_0");
    const QString title = w.windowTitle();
    for (const QString file : {"warden.ivc", "second.ivc"}) {
        answers.seen.clear();
        if (file != "warden.ivc")
            answerFileDialog(dir.filePath(file));
        onAFullDisk(100, [&] { trigger(w, file == "warden.ivc" ? "mnuSave" : "mnuSaveAs"); });
        QCOMPARE(answers.seen, QStringList("Save: Cannot save \"" + file +
                                           "\": File too large. The design is still open; "
                                           "save it elsewhere with File > Save As. [Ok]"));
        QCOMPARE(readAll(path), readAll(QString(IVC_TEST_DATA "/typical.ivc")));
        QVERIFY(!QFile::exists(dir.filePath("second.ivc")));
        QVERIFY(w.isWindowModified() && !w.undoStack()->isClean());
        QCOMPARE(w.windowTitle(), title);
    }
}

// File > Export Statcard, each format in turn: the file holds the card of the design in
// hand, totalled, and the window is left as it was, with no card window.
void TestDesignFiles::exportsReadBack() {
    for (const MainModel& design :
         {typicalDesign("Warden"), fullestDesign(Concord, "Longest Name Of Them All")}) {
        QTemporaryDir dir;
        FrmMain w;
        w.show();
        QVERIFY(w.openFile(savedDesign(dir, "design.ivc", design)));
        act(w, "chkSkimmer"); // a change the total has not seen yet
        for (const QString suffix : {"pdf", "png", "svg"}) {
            const QString path = dir.filePath("card." + suffix);
            answerFileDialog(path);
            trigger(w, "mnuExport");
            QCOMPARE(actionText(w, "mnuUndo"), "&Undo Calculate"); // the total it ran
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
    }
}

// Chooses the dialog's own "Print to File (PDF)" entry and names the file there, as a user
// does; false when the dialog lacks either widget.
bool choosePdfFile(QPrintDialog& dialog, const QString& path) {
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    const int entry = printers ? printers->findText(QPrintDialog::tr("Print to File (PDF)")) : -1;
    if (entry < 0 || file == nullptr)
        return false;
    printers->setCurrentIndex(entry);
    file->setText(path);
    return true;
}

// File > Print…: the card the card window prints, on the PDF file chosen in the dialog (the
// machine's default printer, which the dialog selects first, never sees a job); Cancel prints
// nothing.
void TestDesignFiles::printDialog() {
    // Whether the "Print to File (PDF)" entry and the file's name are chosen, whether Print is.
    const std::tuple<const char*, bool, bool> rows[] = {{"file chosen, Print", true, true},
                                                        {"file chosen, Cancel", true, false},
                                                        {"Cancel at once", false, false}};
    for (const auto& [name, chooseFile, accept] : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath("printed.pdf");
        FrmMain w;
        w.show();
        QVERIFY(w.openFile(savedDesign(dir, "design.ivc", typicalDesign("Warden"))));
        bool asked = false, chosen = false, toFile = false;
        answerNext<QPrintDialog>([&, choose = chooseFile, print = accept](QPrintDialog& d) {
            asked = true;
            chosen = choose && choosePdfFile(d, path);
            (chosen && print) ? d.accept() : d.reject();
            toFile = d.printer()->printerName().isEmpty() && d.printer()->outputFileName() == path;
            // The page is drawn after the dialog closes: whatever the dialog did and whatever
            // the window does next, a page goes to the file, so that even a failing run prints
            // nothing on the machine's printers.
            d.printer()->setPrinterName(QString());
            d.printer()->setOutputFileName(path);
        });
        trigger(w, "mnuPrintDialog");
        // The dialog itself chose the file.
        QVERIFY2(asked && chosen == chooseFile && toFile == accept && QFile::exists(path) == accept,
                 name);
        if (accept)
            QCOMPARE(missingFrom(output("pdftotext", {path, "-"}), cardLines(makeCard(w.model()))),
                     QStringList());
    }
}

// A full disk (a file size limit stands in for it) under every way a card is written: each
// is told with the file and the system's reason, and the old file keeps its bytes.
void TestDesignFiles::cardWritesOnAFullDiskKeepTheOldFile() {
    const CardTexts card = makeCard(typicalDesign("Warden"));
    const QString kOffered = "Statcard Print: There is no default printer. Save the Statcard as "
                             "a PDF file instead? [*Save Cancel]";
    // Writes the card to `path` as the row's way does; what the user is told.
    using Way = std::function<QString(const QString& path)>;
    const auto format = [&card](ui::CardFormat f) {
        return [&card, f](const QString& path) { return ui::exportCard(path, card, f); };
    };
    const std::pair<const char*, Way> ways[] = {
        {"pdf", format(ui::CardFormat::Pdf)},
        {"png", format(ui::CardFormat::Png)},
        {"svg", format(ui::CardFormat::Svg)},
        {"txt", format(ui::CardFormat::Text)},
        {"sheet of five",
         [&card](const QString& path) {
             return ui::exportSheet(path, std::vector<CardTexts>(5, card),
                                    QPageSize(QPageSize::A4));
         }},
        {"card window's offer", [&card, &kOffered](const QString& path) {
             FrmPrint window;
             BoxAnswerer answers;
             answers.queue("Yes Save Ok No");
             printWithoutPrinter(window, card, path);
             if (answers.seen.size() != 4 || answers.seen[1] != kOffered)
                 return "asked: " + answers.seen.join(" / ");
             return answers.seen[2].section(": ", 1).remove(QRegularExpression(" \\[.*\\]$"));
         }}};
    for (const auto& [name, way] : ways) {
        QTemporaryDir dir;
        const QString path = dir.filePath("card");
        QVERIFY(QFile::copy(QString(IVC_TEST_DATA "/typical.ivc"), path));
        const QString told = onAFullDisk(100, [&, &way = way] { return way(path); });
        const QString expected = "The Statcard could not be saved as " +
                                 QDir::toNativeSeparators(path) + ": File too large.";
        QVERIFY2(told == expected, qPrintable(QString(name) + ": " + told));
        QVERIFY2(readAll(path) == readAll(QString(IVC_TEST_DATA "/typical.ivc")), name);
        QVERIFY2(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden) == QStringList("card"),
                 name);
    }
}

QTEST_MAIN(TestDesignFiles)
#include "test_designFiles.moc"
