#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ironvale Vehicle Creator"));
    QApplication::setApplicationVersion(QStringLiteral(IVC_VERSION));
    // Lets Wayland compositors and docks match the window to its installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ironvale.VehicleCreator"));
    ivc::ui::FrmMain window;
    window.show();
    return QApplication::exec();
}
