// Times the main window: its start-up against a bare Qt window's, and every kind of user
// action made through its widgets. Exits non-zero when a budget is missed.
//   window_timing            run everything and print the figures
//   window_timing --actions  time the user actions only
//   window_timing --child K  (internal) start a window of kind K ("bare" or "main"), report
//                            "shown" once it is exposed, and quit
#include "ui/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr double kStartupBudget = 1.3; // main window start-up / bare window start-up
constexpr double kActionBudgetMs = 2.0;

int child(const QString& kind) {
    std::unique_ptr<QWidget> window;
    if (kind == "main")
        window = std::make_unique<ivc::ui::FrmMain>();
    else
        window = std::make_unique<QWidget>();
    window->resize(761, 496);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    std::puts("shown");
    std::fflush(stdout);
    return 0;
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
    std::vector<double> bare, main;
    for (int i = 0; i < (actionsOnly ? 0 : 11); ++i) {
        bare.push_back(startupMs(QApplication::applicationFilePath(), "bare"));
        main.push_back(startupMs(QApplication::applicationFilePath(), "main"));
    }
    if (!actionsOnly) {
        const double ratio = median(main) / median(bare);
        std::printf("start-up to window shown (median of 11): bare Qt window %.1f ms, main "
                    "window %.1f ms, ratio %.2f (budget %.2f)\n",
                    median(bare), median(main), ratio, kStartupBudget);
        ok = ok && ratio <= kStartupBudget;
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
