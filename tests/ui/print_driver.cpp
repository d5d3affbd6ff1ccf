// Prints a Statcard on the system's default printer through the card window's own print
// path: the card is shown, its question answered Yes (print) and then No (back). The card
// is that of the walk-through design, or with a race 1..8 the fullest design of that race.
// With --dialog the card goes through the main window's File > Print… instead, its print
// dialog accepted as it comes up.
//
//   print_driver [--dialog] NAME [RACE]
#include "uitest.h"

#include <cstdio>
#include <cstdlib>

using ivc::ui::FrmPrint;

namespace {

// File > Print… with the dialog accepted: its printer is the default one.
int printThroughDialog(const ivc::MainModel& design) {
    QTemporaryDir dir;
    ivc::ui::FrmMain window;
    if (!ivc::test::openDesign(window, design, dir))
        return 1;
    ivc::test::BoxAnswerer answers;
    bool asked = false;
    ivc::test::answerNext<QPrintDialog>([&asked](QPrintDialog& d) {
        asked = true;
        d.accept();
    });
    ivc::test::trigger(window, "mnuPrintDialog");
    for (const QString& line : answers.seen)
        std::printf("box: %s\n", qPrintable(line));
    return asked && answers.seen.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool dialog = argc > 1 && qstrcmp(argv[1], "--dialog") == 0;
    if (dialog) {
        --argc;
        ++argv;
    }
    if (argc != 2 && argc != 3)
        return 2; // usage: print_driver [--dialog] NAME [RACE]
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        std::fprintf(stderr, "print_driver: there is no default printer\n");
        return 1;
    }
    std::printf("default printer: %s\n", qPrintable(printer.printerName()));
    const ivc::MainModel design = argc == 3 ? ivc::test::fullestDesign(std::atoi(argv[2]), argv[1])
                                            : ivc::test::typicalDesign(argv[1]);
    if (dialog)
        return printThroughDialog(design);

    FrmPrint window;
    ivc::test::BoxAnswerer answers;
    answers.queue("Yes No");
    QObject::connect(&window, &FrmPrint::returnToMain, &app, &QCoreApplication::quit);
    QTimer::singleShot(60000, &app, [] {
        std::fprintf(stderr, "print_driver: the card did not finish within a minute\n");
        QCoreApplication::exit(1);
    });
    window.showCard(ivc::makeCard(design));
    if (QApplication::exec() != 0)
        return 1;

    // Exactly the two questions, and nothing else (such as a failure message).
    for (const QString& line : answers.seen)
        std::printf("box: %s\n", qPrintable(line));
    return answers.seen.size() == 2 ? 0 : 1;
}
