// Prints the Statcard of the walk-through design through the card window's own print
// path: the card is shown, its question answered Yes (print) and then No (back).
//
//   print_driver NAME            print on the system's default printer
//   print_driver NAME FILE.pdf   print as if no printer were installed, saving FILE.pdf
//   print_driver NAME FILE.png   save the card as the screen shows it, without printing
#include "common/typical_design.h"
#include "uitest.h"

#include "core/card.h"
#include "ui/frmPrint.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QTimer>

#include <cstdio>

using ivc::ui::FrmPrint;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: print_driver NAME [FILE.pdf|FILE.png]\n");
        return 2;
    }
    const QString file = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const ivc::CardTexts card = ivc::makeCard(ivc::test::typicalDesign(argv[1]));

    FrmPrint window;
    if (file.endsWith(QLatin1String(".png"))) {
        window.showCard(card);
        window.hide();
        return window.grab().save(file) ? 0 : 1;
    }

    ivc::test::BoxAnswerer answers;
    answers.queue(QMessageBox::Yes);
    if (file.isEmpty()) {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull()) {
            std::fprintf(stderr, "print_driver: there is no default printer\n");
            return 1;
        }
        std::printf("default printer: %s\n", qPrintable(printer.printerName()));
    } else {
        window.setPrintHooks({[] { return QPrinterInfo(); }, [file](QWidget*) { return file; }});
        answers.queue(QMessageBox::Save);
    }
    answers.queue(QMessageBox::No);

    QObject::connect(&window, &FrmPrint::returnToMain, &app, &QCoreApplication::quit);
    QTimer::singleShot(60000, &app, [] {
        std::fprintf(stderr, "print_driver: the card did not finish within a minute\n");
        QCoreApplication::exit(1);
    });
    window.showCard(card);
    if (QApplication::exec() != 0)
        return 1;

    // Exactly the questions answered, and nothing else (such as a failure message).
    const qsizetype expected = file.isEmpty() ? 2 : 3;
    for (const ivc::test::SeenBox& box : answers.seen())
        std::printf("box: %s: %s\n", qPrintable(box.title), qPrintable(box.text));
    return answers.seen().size() == expected ? 0 : 1;
}
