#include "ui/desktop.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ironvale Vehicle Creator"));
    QApplication::setApplicationVersion(QStringLiteral(IVC_VERSION));
    // Lets Wayland compositors and docks match the window to its installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ironvale.VehicleCreator"));
    // Every window and the taskbar entry show the program's own icon.
    QApplication::setWindowIcon(ivc::ui::applicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Design a vehicle for the Ironvale miniatures game and price it in points."));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A design file (.ivc) to open at start-up."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    ivc::ui::FrmMain window;
    window.show();
    // A file that cannot be opened is told, and the design starts fresh.
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
        window.openFile(files.front());
    return QApplication::exec();
}
