#include "uitest.h"

#include <cstdio>

#include "core/force.h"
#include "io/forceFile.h"
#include "ui/forceModel.h"
#include "ui/frmForce.h"

using namespace ivc;
using namespace ivc::test;
using ivc::ui::ForceModel;
using ivc::ui::FrmForce;
using ivc::ui::FrmMain;

namespace {

const QString kForceTitle = QString::fromUtf8("Force \u2014 Ironvale Vehicle Creator");

// The main window holding the walk-through design as a user opened it from its file, and
// its force window, shown and active; the message boxes answered.
struct Windows {
    FrmMain main;
    FrmForce* force = nullptr;
    QTemporaryDir dir;
    BoxAnswerer boxes;
    Windows() {
        if (!main.openFile(savedDesign(dir, "held.ivc", typicalDesign("Warden"))))
            qFatal("cannot open the design");
        trigger(main, "mnuShowForce");
        force = main.existingForceWindow();
        if (force == nullptr || !force->isVisible() || !QTest::qWaitForWindowExposed(force))
            qFatal("Show Force showed no force window");
        force->activateWindow();
        if (!QTest::qWaitForWindowActive(force))
            qFatal("the force window is not active");
    }
    QTableView* table() const { return find<QTableView>(*force, "tblForce"); }
    QAbstractItemModel* model() const { return table()->model(); }
    QString cell(int r, int c) const { return model()->index(r, c).data().toString(); }
    void click(const char* button) const { find<QPushButton>(*force, button)->click(); }
    void click(int row, const char* button) const {
        table()->selectRow(row);
        click(button);
    }
    bool setCount(int row, int count) const {
        return model()->setData(model()->index(row, ForceModel::Count), count);
    }
    bool outOfPlay(int row) const {
        return model()->setData(model()->index(row, ForceModel::InPlay), Qt::Unchecked,
                                Qt::CheckStateRole);
    }
    // Adds the designs as their files.
    void addFiles(const std::vector<MainModel>& designs) {
        QStringList paths;
        for (const MainModel& d : designs)
            paths << savedDesign(dir, QString::fromStdString(d.name()) + ".ivc", d);
        force->addFiles(paths);
    }
    QString total() const { return caption(*force, "lblForceTotal"); }
    QStringList names() const {
        QStringList n;
        for (int r = 0; r < model()->rowCount(); ++r)
            n << cell(r, ForceModel::Name);
        return n;
    }
};

QString pdfText(const QString& path, int first, int last) {
    return output("pdftotext", {"-layout", "-f", QString::number(first), "-l",
                                QString::number(last), path, "-"});
}

} // namespace

class TestFrmForce : public QObject {
    Q_OBJECT
private slots:
    void totals();
    void undoEveryChange();
    void closeQuestion();
    void clipboard();
    void clipboardBetweenProcesses();
    void exportPrintSaveAndReopen();
    void keysAndReaders();
};

// Through the widgets and the table's model, as a user and a screen reader reach them: the
// entries as "count" or "count-" (out of play) of the 130-point walk-through design, the
// limit, and what the window shows of the sums (the sums themselves are the core's).
void TestFrmForce::totals() {
    const std::tuple<const char*, QStringList, int, QString> rows[] = {
        {"counts and out of play", {"3", "2-"}, 1000, "390 of 1,000 points, 3 vehicles"},
        {"limit passed by one", {"5"}, 649, "650 of 649 points, 5 vehicles: 1 over"}};
    for (const auto& [name, entries, limit, summary] : rows) {
        Windows w;
        for (int row = 0; row < entries.size(); ++row) {
            w.click("cmdForceAdd");
            const QString& e = entries[row];
            const int count = e.chopped(e.endsWith('-')).toInt();
            QVERIFY(count == 1 || w.setCount(row, count)); // an entry starts at one
            QVERIFY(!e.endsWith('-') || w.outOfPlay(row));
            QCOMPARE(w.cell(row, ForceModel::Points), "130");
            QCOMPARE(w.cell(row, ForceModel::Total),
                     QLocale(QLocale::English).toString(130 * count));
            QCOMPARE(w.model()->index(row, ForceModel::Name).data(Qt::ForegroundRole).isValid(),
                     e.endsWith('-'));
        }
        find<QSpinBox>(*w.force, "spnLimit")->setValue(limit);
        const auto* label = find<QLabel>(*w.force, "lblForceTotal");
        QCOMPARE(name + (": " + w.total() + " / " + label->accessibleName()),
                 name + (": " + summary + " / " + summary));
        const bool over = summary.endsWith("over");
        QCOMPARE(find<QLabel>(*w.force, "lblForceWarning")->isVisibleTo(w.force), over);
        QCOMPARE(label->palette().color(QPalette::WindowText) !=
                     w.force->palette().color(QPalette::WindowText),
                 over);
        // A count out of range is refused, and changes nothing.
        QVERIFY(!w.setCount(0, 100));
        QCOMPARE(w.total(), summary);
    }
}

// Each kind of change is one named step; undo goes back through every one to the empty
// force, and redo forward to the end, each state exactly as it was. Long for its table of
// changes, one row each.
void TestFrmForce::undoEveryChange() {
    Windows w;
    QTableView* table = w.table();
    const QString three = "Warden Hulk Ram";
    const std::vector<MainModel> two = {fullestDesign(1, "Hulk"), fullestDesign(3, "Ram")};
    // Each step's name, the entries after it, and the change.
    const std::vector<std::tuple<const char*, QString, std::function<void()>>> changes = {
        {"Add Warden", "Warden", [&] { w.click("cmdForceAdd"); }},
        {"Add 2 Designs", three, [&] { w.addFiles(two); }},
        {"Count 3, Warden", three, [&] { w.setCount(0, 3); }},
        {"Out of Play, Hulk", three, [&] { w.outOfPlay(1); }},
        {"Limit 1,500", three, [&] { act(*w.force, "spnLimit=1500"); }},
        {"Force Name", three, [&] { QTest::keyClicks(find(*w.force, "txtForceName"), "Strike"); }},
        {"Move Down Warden", "Hulk Warden Ram", [&] { w.click(0, "cmdForceDown"); }},
        {"Move Up Ram", "Hulk Ram Warden", [&] { w.click(2, "cmdForceUp"); }},
        {"Update Warden", "Hulk Ram Warden",
         [&] {
             w.click(2, "cmdForceEdit");
             act(w.main, "txtName=Warden, chkSkimmer");
             trigger(w.main, "mnuUpdateEntry");
         }},
        {"Remove 2 Entries", "Warden",
         [&] {
             table->selectRow(0);
             table->selectionModel()->select(w.model()->index(1, 0), QItemSelectionModel::Select |
                                                                         QItemSelectionModel::Rows);
             table->setFocus();
             QTest::keyClick(table, Qt::Key_Delete);
         }},
    };
    std::vector<Force> states{w.force->force()};
    std::vector<QString> totals{w.total()};
    for (const auto& [step, names, make] : changes) {
        make();
        QCOMPARE(w.force->undoStack()->undoText(), QString::fromUtf8(step));
        QVERIFY2(!(w.force->force() == states.back()), step);
        QCOMPARE(w.names().join(' '), names);
        states.push_back(w.force->force());
        totals.push_back(w.total());
    }
    QCOMPARE(w.force->undoStack()->count(), static_cast<int>(changes.size()));
    const auto shows = [&](std::size_t k) {
        QVERIFY(w.force->force() == states[k]);
        QCOMPARE(w.total(), totals[k]);
        QCOMPARE(find<QLineEdit>(*w.force, "txtForceName")->text().toStdString(), states[k].name());
        QCOMPARE(find<QSpinBox>(*w.force, "spnLimit")->value(), states[k].limit());
        QCOMPARE(w.model()->rowCount(), static_cast<int>(states[k].size()));
    };
    for (std::size_t k = changes.size(); k-- > 0;) {
        trigger(*w.force, "mnuForceUndo");
        shows(k);
    }
    for (std::size_t k = 1; k <= changes.size(); ++k) {
        trigger(*w.force, "mnuForceRedo");
        shows(k);
    }
    // The entry the main window took is still found after its updates were undone and redone.
    act(w.main, "chkSkimmer");
    trigger(w.main, "mnuUpdateEntry");
    QCOMPARE(w.boxes.seen, QStringList());
    QCOMPARE(w.force->undoStack()->undoText(), "Update Warden");
    QCOMPARE(w.force->force().entries()[0].points, states[1].entries()[0].points);
}

// The force's question, on closing its window and on the program's end through the main
// window: Save writes, then closes; Discard closes; Cancel keeps the force. Nothing is asked
// of a force unchanged since it was saved.
void TestFrmForce::closeQuestion() {
    const std::pair<QString, QString> rows[] = {{"close", "Cancel"},
                                                {"close", "Discard"},
                                                {"close", "Save"},
                                                {"exit", "Cancel"},
                                                {"exit", "Save"}};
    for (const auto& [through, answer] : rows) {
        const bool closed = answer != "Cancel", written = answer == "Save";
        Windows w;
        w.main.show();
        w.click("cmdForceAdd");
        w.boxes.queue(answer);
        const QString path = w.dir.filePath("kept.ivf");
        if (written)
            answerFileDialog(path);
        QWidget& target = through == "close" ? static_cast<QWidget&>(*w.force) : w.main;
        QCOMPARE(target.close(), closed);
        QCOMPARE(w.boxes.seen, QStringList(kForceTitle + ": Save changes to this force? "
                                                         "[*Save Cancel Discard]"));
        QCOMPARE(w.force->isVisible(), !closed || through == "exit");
        QCOMPARE(QFile::exists(path), written);
        if (written) {
            QVERIFY(io::openForce(path).force == w.force->force());
            QVERIFY(w.force->close()); // saved: no question
            QCOMPARE(w.boxes.seen.size(), 1);
        }
    }
}

// A design crosses between the windows through the clipboard, as its design file and its
// text card; a clipboard without a design is told.
void TestFrmForce::clipboard() {
    Windows w;
    trigger(w.main, "mnuCopyDesign");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(io::kMimeType));
    QVERIFY(io::fromJson(data->data(io::kMimeType)).design->name == "Warden");
    QCOMPARE(data->text().toStdString(), textCard(makeCard(w.main.model())));
    trigger(*w.force, "mnuForcePasteDesign");
    QCOMPARE(w.names(), QStringList{"Warden"});
    QCOMPARE(w.cell(0, ForceModel::Points), "130");

    w.addFiles({fullestDesign(4, "Hulk")});
    w.table()->selectRow(1);
    trigger(*w.force, "mnuForceCopyDesign");
    trigger(w.main, "mnuPasteDesign");
    QCOMPARE(w.main.model().name(), "Hulk");
    QCOMPARE(capture(w.main.model()).weaponSlots,
             w.force->force().entries()[1].design->weaponSlots);
    QCOMPARE(w.main.undoStack()->undoText(), "Paste Design");
    trigger(w.main, "mnuUndo");
    QCOMPARE(w.main.model().name(), "Warden");
    QCOMPARE(w.boxes.seen, QStringList());

    QGuiApplication::clipboard()->setText("Warden, 130 points");
    trigger(w.main, "mnuPasteDesign");
    trigger(*w.force, "mnuForcePasteDesign");
    const QString none = "Paste Design: The clipboard holds no vehicle design. [Ok]";
    QCOMPARE(w.boxes.seen, (QStringList{none, none}));
    QCOMPARE(w.main.model().name(), "Warden");
    QCOMPARE(w.model()->rowCount(), 2);
}

// A design moves from one running copy of the program to another and back, as on a desktop:
// the other copy is this test in a second process, holding the clipboard while it runs.
void TestFrmForce::clipboardBetweenProcesses() {
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs an X server: an offscreen clipboard never leaves its process");
    QTemporaryDir dir;
    FrmMain main;
    FrmForce* force = main.forceWindow();
    const auto hold = [&](const MainModel& m) {
        QVERIFY(main.openFile(savedDesign(dir, "held.ivc", m)));
        trigger(main, "mnuCopyDesign");
    };
    const auto pasted = [&] { // the entries, by name and points
        trigger(*force, "mnuForcePasteDesign");
        QString entries;
        for (const ForceEntry& e : force->force().entries())
            entries += QString("%1 %2").arg(e.design->name.c_str()).arg(e.points);
        return entries;
    };
    if (qEnvironmentVariableIsSet("IVC_CLIPBOARD_PEER")) { // the other copy
        hold(fullestDesign(4, "Hulk"));
        std::puts("copied");
        std::fflush(stdout);
        // Serves the clipboard until the first copy has copied a design of its own.
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::clipboard()->text().contains("Warden"), 30000);
        std::puts(qPrintable(pasted()));
        return;
    }
    QProcess peer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("IVC_CLIPBOARD_PEER", "1");
    peer.setProcessEnvironment(env);
    peer.start(QCoreApplication::applicationFilePath(), {"clipboardBetweenProcesses"});
    QByteArray said;
    while (!said.contains("\ncopied\n") && peer.waitForReadyRead(30000))
        said += peer.readAll();
    QVERIFY2(said.contains("\ncopied\n"), said.constData());
    QCOMPARE(pasted(), QString("Hulk %1").arg(*price(capture(fullestDesign(4, "Hulk"))).points));
    hold(typicalDesign("Warden"));
    // Serves the clipboard in turn while the other copy pastes.
    QTRY_VERIFY_WITH_TIMEOUT(peer.state() == QProcess::NotRunning, 30000);
    said += peer.readAll();
    QVERIFY2(peer.exitCode() == 0 && said.contains("\nWarden 130\n"), said.constData());
}

// The PDF: the list page first (entries in play only), then the cards, four a page; the
// print dialog prints the same, on a printer that writes a file; the force saved and
// reopened as it was.
void TestFrmForce::exportPrintSaveAndReopen() {
    Windows w;
    w.click("cmdForceAdd");
    w.addFiles({fullestDesign(1, "Hulk")});
    w.setCount(0, 2);
    w.outOfPlay(1);
    act(*w.force, "spnLimit=500, txtForceName=Strike Group");
    const QString path = w.dir.filePath("strike.pdf");
    answerFileDialog(path);
    trigger(*w.force, "mnuForceExport");
    QVERIFY(output("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+2\\n")));
    const QString list = pdfText(path, 1, 1).simplified();
    for (const char* words :
         {"Strike Group", "Limit: 500 points", "Name Race Type Size Count Points Total",
          "Warden Concord Tank Normal 2 130 260",
          "Total: 260 of 500 points, 2 vehicles: 240 under"})
        QVERIFY2(list.contains(words), qPrintable(QString(words) + " not in " + list));
    const QString cards = pdfText(path, 2, 2);
    QVERIFY(!list.contains("Hulk") && cards.contains("Warden") && !cards.contains("Hulk"));

    const QString printed = w.dir.filePath("printed.pdf");
    w.force->setPrinterSetup([&printed](QPrinter& p) { p.setOutputFileName(printed); });
    bool toFile = false;
    answerNext<QPrintDialog>([&toFile](QPrintDialog& d) {
        toFile = d.printer()->outputFormat() == QPrinter::PdfFormat;
        toFile ? d.accept() : d.reject(); // never a real printer
    });
    trigger(*w.force, "mnuForcePrint");
    QVERIFY(toFile);
    QCOMPARE(pdfText(printed, 1, 1).simplified(), list);

    // Saved through the window's own menus and dialogs, then a new force, then reopened.
    const Force made = w.force->force();
    const QString file = w.dir.filePath("strike.ivf");
    answerFileDialog(file);
    trigger(*w.force, "mnuForceSaveAs");
    QCOMPARE(w.force->windowTitle(), "strike.ivf[*] \u2014 " + kForceTitle);
    QVERIFY(!w.force->isWindowModified());
    trigger(*w.force, "mnuForceNew");
    QVERIFY(w.force->force() == Force());
    QCOMPARE(w.total(), "0 points, 0 vehicles");
    // The new force's first step undoes to the new force, not to the one saved.
    w.click("cmdForceAdd");
    trigger(*w.force, "mnuForceUndo");
    QVERIFY(w.force->force() == Force());
    answerFileDialog(file);
    trigger(*w.force, "mnuForceOpen");
    QVERIFY(w.force->force() == made);
    QCOMPARE(find<QLineEdit>(*w.force, "txtForceName")->text(), "Strike Group");
    QCOMPARE(w.boxes.seen, QStringList());
    QCOMPARE(w.force->undoStack()->count(), 0);
}

// Cells are heard with their column; Tab goes from the name to the limit, the table and
// the buttons.
void TestFrmForce::keysAndReaders() {
    Windows w;
    w.click("cmdForceAdd");
    w.outOfPlay(0);
    const std::pair<int, QString> heard[] = {{ForceModel::Name, "Name: Warden"},
                                             {ForceModel::Points, "Points: 130"},
                                             {ForceModel::Count, "Count: 1"},
                                             {ForceModel::InPlay, "In Play: no"}};
    for (const auto& [column, text] : heard) {
        QCOMPARE(w.model()->index(0, column).data(Qt::AccessibleTextRole).toString(), text);
        QCOMPARE(w.model()->headerData(column, Qt::Horizontal).toString(), text.section(':', 0, 0));
    }
    // Count is edited in place, In Play is a check box; the rest are read only.
    for (int column = 0; column < ForceModel::Columns; ++column)
        QCOMPARE(w.model()->flags(w.model()->index(0, column)) &
                     (Qt::ItemIsEditable | Qt::ItemIsUserCheckable),
                 column == ForceModel::Count    ? Qt::ItemIsEditable
                 : column == ForceModel::InPlay ? Qt::ItemIsUserCheckable
                                                : Qt::NoItemFlags);
    QStringList chain;
    QWidget* at = find(*w.force, "txtForceName");
    for (int k = 0; k < 40; ++k, at = at->nextInFocusChain())
        if ((at->focusPolicy() & Qt::TabFocus) && !at->objectName().startsWith("qt_"))
            chain << at->objectName();
    QCOMPARE(chain.mid(0, 4), (QStringList{"txtForceName", "spnLimit", "tblForce", "cmdForceAdd"}));
}

QTEST_MAIN(TestFrmForce)
#include "test_frmForce.moc"
