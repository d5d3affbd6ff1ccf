// Prints the Statcard of the fullest design of a race (1..8) on the default printer (in
// cups_print_test.sh, the only printer of the test's own scheduler) through the card window's
// own print path: the card is shown, its question answered Yes (print) and then No (back).
// With --dialog the card goes through the main window's File > Print… instead, its print
// dialog accepted as it comes up.
//
//   print_driver [--dialog] NAME RACE
#include "uitest.h"

#include <cstdio>
#include <cstdlib>

using namespace ivc::test;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool dialog = argc == 4 && qstrcmp(argv[1], "--dialog") == 0;
    if (argc != (dialog ? 4 : 3))
        return 2; // usage: print_driver [--dialog] NAME RACE
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    std::printf("default printer: %s\n", qPrintable(printer.printerName()));
    const ivc::MainModel design = fullestDesign(std::atoi(argv[argc - 1]), argv[argc - 2]);
    BoxAnswerer answers;
    bool done = false;
    if (dialog) { // the dialog's printer is the default one; no box may come up
        QTemporaryDir dir;
        ivc::ui::FrmMain window;
        answerNext<QPrintDialog>([&done](QPrintDialog& d) {
            done = true;
            d.accept();
        });
        if (window.openFile(savedDesign(dir, "design.ivc", design)))
            trigger(window, "mnuPrintDialog");
        done = done && answers.seen.isEmpty();
    } else { // exactly the two questions, and nothing else (such as a failure message)
        ivc::ui::FrmPrint window;
        answers.queue("Yes No");
        QObject::connect(&window, &ivc::ui::FrmPrint::returnToMain, &app, &QCoreApplication::quit);
        QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(1); }); // at most a minute
        window.showCard(ivc::makeCard(design));
        done = QApplication::exec() == 0 && answers.seen.size() == 2;
    }
    for (const QString& line : answers.seen)
        std::printf("box: %s\n", qPrintable(line));
    return !printer.isNull() && done ? 0 : 1;
}
