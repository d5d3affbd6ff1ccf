#include "app/commandLine.h"
#include "ui/desktop.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    ivc::app::chooseNoDisplay(argc, argv);
    QApplication app(argc, argv);
    // The settings (the recent files) live under these names.
    QApplication::setOrganizationName(QStringLiteral("Ironvale"));
    QApplication::setOrganizationDomain(QStringLiteral("ironvale.github.io"));
    QApplication::setApplicationName(QStringLiteral("Ironvale Vehicle Creator"));
    QApplication::setApplicationVersion(QStringLiteral(IVC_VERSION));
    // Lets Wayland compositors and docks match the window to its installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ironvale.VehicleCreator"));
    // Every window and the taskbar entry show the program's own icon.
    QApplication::setWindowIcon(ivc::ui::applicationIcon());

    ivc::app::CommandLine commandLine;
    commandLine.process(QApplication::arguments());
    if (commandLine.exporting())
        return commandLine.exportCards();

    ivc::ui::FrmMain window;
    window.show();
    // A file that cannot be opened is told, and the design starts fresh.
    if (const auto file = commandLine.fileToOpen())
        window.openFile(*file);
    return QApplication::exec();
}
