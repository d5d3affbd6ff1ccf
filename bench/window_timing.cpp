// Times the main window: its start-up against a bare Qt window's, and every kind of user
// action made through its widgets. Exits non-zero when a budget is missed.
//   window_timing            run everything and print the figures
//   window_timing --actions  time the user actions only
//   window_timing --child K  (internal) start a window of kind K ("bare", "text", "tabs" or
//                            "main"), report
//                            "shown" once it has painted its first exposure, and quit
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// Main window start-up against a bare window of its size that shows a tab control and a
// group box caption, as the main window's first sight does.
constexpr double kStartupBudget = 1.25;
constexpr double kStartupGoal = 1.15;
constexpr int kStartupRuns = 31; // the median of fewer wanders by several hundredths
constexpr double kActionBudgetMs = 2.0;

// Reports "shown" once the window's first exposure has been painted, then quits. Waiting
// with QTest::qWaitForWindowExposed instead would add sleeps of up to 10 ms of its own.
class ExposeWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed() &&
            !m_seen) {
            m_seen = true;
            // Runs after the window has handled the exposure, that is, painted itself.
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

int child(const QString& kind) {
    std::unique_ptr<QWidget> window;
    if (kind == "main") {
        window = std::make_unique<ivc::ui::FrmMain>();
    } else {
        window = std::make_unique<QWidget>();
        if (kind == "text")
            new QLabel(QStringLiteral("Ironvale Vehicle Creator"), window.get());
        if (kind == "tabs") {
            auto* tabs = new QTabWidget(window.get());
            auto* page = new QWidget;
            tabs->addTab(page, QStringLiteral("General Options"));
            tabs->addTab(new QWidget, QStringLiteral("Weapons"));
            (new QGroupBox(QStringLiteral("Initial Stats"), page))->setGeometry(8, 56, 601, 65);
            tabs->setGeometry(0, 0, 761, 425);
        }
    }
    window->resize(761, 496);
    window->winId(); // creates the native window, so the watch sees its first exposure
    ExposeWatch watch;
    window->windowHandle()->installEventFilter(&watch);
    window->show();
    return QApplication::exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds from launching a child to its window being shown.
double startupMs(const QString& program, const QString& kind) {
    QProcess p;
    QElapsedTimer timer;
    timer.start();
    p.start(program, {"--child", kind});
    while (p.waitForReadyRead(10000)) {
        if (p.readAll().contains("shown"))
            break;
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    p.waitForFinished();
    return ms;
}

// Times one action through the window, in milliseconds.
template <typename F> double timed(F&& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

std::map<QString, std::vector<double>> actionTimes() {
    std::map<QString, std::vector<double>> times;
    ivc::ui::FrmMain w;
    w.show();
    w.ensureWeaponGrid();
    const auto pick = [&](const char* name, int row) {
        times[QString("pick ") + name].push_back(
            timed([&] { w.findChild<QComboBox*>(name)->setCurrentIndex(row); }));
    };
    const auto tick = [&](const char* name) {
        times[QString("tick ") + name].push_back(
            timed([&] { w.findChild<QCheckBox*>(name)->click(); }));
    };
    const auto press = [&](const char* name) {
        times[QString("press ") + name].push_back(
            timed([&] { w.findChild<QPushButton*>(name)->click(); }));
    };
    for (int round = 0; round < 50; ++round) {
        pick("lstRace", 3);
        pick("lstType", 4);
        pick("lstSize", 2);
        press("cmdNext1");
        for (const char* facing : {"lstFArmor", "lstSArmor", "lstRArmor", "lstOpen"})
            pick(facing, 1);
        press("cmdNext4");
        for (int s = 0; s < 8; ++s) {
            const QString n = QString::number(s);
            times["pick lstWpn1"].push_back(timed(
                [&] { w.findChild<QComboBox*>("lstWpn1_" + n)->setCurrentIndex(1 + round % 2); }));
            for (const char* box : {"chkBlast1_", "chkMega1_", "chkTitan_", "chkTwin1_"})
                times["tick upgrade"].push_back(
                    timed([&] { w.findChild<QCheckBox*>(box + n)->click(); }));
            times["pick lstNumber"].push_back(
                timed([&] { w.findChild<QComboBox*>("lstNumber_" + n)->setCurrentIndex(7); }));
        }
        pick("lstStructure", 8);
        pick("lstConcordF", 8);
        tick("chkConcordF");
        tick("chkLander");
        pick("lstCCW", 1);
        pick("lstAttacks", 4);
        tick("chkFerocious");
        press("cmdCalculate");
        press("cmdReset"); // unwinds the whole design through its handlers
        // Undo brings the whole design back, redo takes it away again, each with the refresh.
        times["undo (the reset)"].push_back(
            timed([&] { w.findChild<QAction*>("mnuUndo")->trigger(); }));
        times["redo (the reset)"].push_back(
            timed([&] { w.findChild<QAction*>("mnuRedo")->trigger(); }));
    }
    return times;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc == 3 && QString(argv[1]) == "--child")
        return child(argv[2]);

    bool ok = true;
    const bool actionsOnly = argc == 2 && QString(argv[1]) == "--actions";
    if (!actionsOnly) {
        // Interleaved, so that a slow spell of the machine touches every kind alike.
        std::map<QString, std::vector<double>> ms;
        for (int i = 0; i < kStartupRuns; ++i) {
            for (const char* kind : {"bare", "text", "tabs", "main"})
                ms[kind].push_back(startupMs(QApplication::applicationFilePath(), kind));
        }
        const double bare = median(ms["bare"]), text = median(ms["text"]),
                     tabs = median(ms["tabs"]), main = median(ms["main"]);
        // The window with one line of text shows what drawing any text costs at start-up: the
        // font configuration and database are loaded then.
        std::printf("start-up to window shown on \"%s\" (median of %d runs):\n"
                    "  bare Qt window                      %6.1f ms\n"
                    "  bare Qt window with a line of text  %6.1f ms  (%.2f x bare)\n"
                    "  bare Qt window with tabs and a box  %6.1f ms  (%.2f x bare)\n"
                    "  main window                         %6.1f ms  (%.2f x bare, %.2f x the "
                    "window with text)\n"
                    "  start-up ratio: main window / window with tabs and a box = %.2f "
                    "(budget %.2f, goal %.2f)\n",
                    qPrintable(QGuiApplication::platformName()), kStartupRuns, bare, text,
                    text / bare, tabs, tabs / bare, main, main / bare, main / text, main / tabs,
                    kStartupBudget, kStartupGoal);
        ok = main / tabs <= kStartupBudget;
    }

    std::printf("%-22s %10s %10s\n", "action", "median ms", "max ms");
    for (const auto& [action, ms] : actionTimes()) {
        const double med = median(ms);
        std::printf("%-22s %10.3f %10.3f\n", qPrintable(action), med,
                    *std::max_element(ms.begin(), ms.end()));
        ok = ok && med < kActionBudgetMs;
    }
    std::printf(ok ? "within budget\n" : "OVER BUDGET\n");
    return ok ? 0 : 1;
}
