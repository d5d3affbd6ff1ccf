#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ironvale Vehicle Creator"));
    QApplication::setApplicationVersion(QStringLiteral("2.2"));
    ivc::ui::FrmMain window;
    window.show();
    return QApplication::exec();
}
