#include "app/commandLine.h"
#include "io/designFile.h"
#include "io/forceFile.h"
#include "ui/desktop.h"
#include "ui/frmForce.h"
#include "ui/frmMain.h"
#include "ui/messageBox.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// The file named on the command line: a force in the force window, a design in the main
// window. A file that cannot be opened is told, and the design starts fresh.
void openAtStartUp(ivc::ui::FrmMain& window, const ivc::app::CommandLine& commandLine) {
    const auto file = commandLine.fileToOpen();
    if (!file)
        return;
    // A force file opens in the force window, beside the main window.
    if (QFileInfo(*file).suffix().compare(QLatin1String(ivc::io::kForceSuffix),
                                          Qt::CaseInsensitive) == 0) {
        ivc::ui::FrmForce* force = window.forceWindow();
        force->show();
        force->openFile(*file);
    } else if (const auto native = commandLine.nativeFileToOpen()) {
        // A name that is not UTF-8 has no exact QString: the design is read by the
        // bytes of its name, and a save asks for a file rather than guess one.
        const ivc::io::Opened opened = ivc::io::openDesignAt(*native, *file);
        if (opened.model)
            window.takeDesign(*opened.model, *file + QStringLiteral(" \u2014 ") +
                                                 QCoreApplication::applicationName());
        else
            ivc::ui::ask(&window, QStringLiteral("Open"), opened.error);
    } else {
        window.openFile(*file);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // The settings (the recent files) live under these names.
    QApplication::setOrganizationName(QStringLiteral("Ironvale"));
    QApplication::setOrganizationDomain(QStringLiteral("ironvale.github.io"));
    QApplication::setApplicationName(QStringLiteral("Ironvale Vehicle Creator"));
    QApplication::setApplicationVersion(QStringLiteral(IVC_VERSION));
    // A wrong command line is told before any display is looked for, so that it is told
    // the same with one or none.
    ivc::app::CommandLine commandLine(argc, argv);
    if (!commandLine.wrong().isEmpty())
        return ivc::app::usage(commandLine.wrong());
    if (commandLine.needsNoDisplay()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ivc::app::quietMessages();
    }
    QApplication app(argc, argv);
    // Lets Wayland compositors and docks match the window to its installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ironvale.VehicleCreator"));

    commandLine.showHelpOrVersion();
    if (commandLine.exporting())
        return commandLine.exportCards();

    ivc::ui::FrmMain window;
    // Every window and the taskbar entry show the program's own icon, handed over once the
    // main window has first painted itself: on X11 its pictures are decoded as they go.
    QObject::connect(&window, &ivc::ui::FrmMain::firstPainted,
                     [] { QApplication::setWindowIcon(ivc::ui::applicationIcon()); });
    window.show();
    openAtStartUp(window, commandLine);
    return QApplication::exec();
}
