// Saves a picture of the Statcard of the fullest design of a race as the card window paints
// it, for looking at it by eye at several scales (QT_SCALE_FACTOR) and colour schemes.
//
//   card_shot RACE NAME FILE.png [dark]
#include "common/fullest_design.h"

#include "core/card.h"
#include "ui/frmPrint.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTimer>

#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 4)
        return 2; // usage: card_shot RACE NAME FILE.png [dark]
    if (argc > 4 && QString::fromLocal8Bit(argv[4]) == QLatin1String("dark")) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QApplication::setPalette(dark);
    }
    ivc::ui::FrmPrint card;
    card.showCard(ivc::makeCard(ivc::test::fullestDesign(std::atoi(argv[1]), argv[2])));
    // Before the print question comes up over it.
    QTimer::singleShot(0, &card, [&card, file = QString::fromLocal8Bit(argv[3])] {
        QCoreApplication::exit(card.grab().save(file) ? 0 : 1);
    });
    return QApplication::exec();
}
