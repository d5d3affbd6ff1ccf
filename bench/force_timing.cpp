// Times the force window with a force of 100 of the fullest designs: opening its file in
// the window, a change of one count until the new total shows, and "E&xport Force…" to a
// PDF; and the heap a 100-entry force takes with its undo steps. Exits non-zero when a
// budget is missed.
//   force_timing
#include "common/fullest_design.h"
#include "core/force.h"
#include "io/forceFile.h"
#include "ui/forceExport.h"
#include "ui/forceModel.h"
#include "ui/frmForce.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QUndoStack>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kEntries = 100;
constexpr double kOpenBudgetMs = 100.0;
constexpr double kCountBudgetMs = 1.0;
constexpr double kExportBudgetMs = 3000.0;
constexpr double kMemoryBudgetMiB = 20.0;

struct Figures {
    double median;
    double max;
};

Figures timed(int runs, const std::function<void(int)>& run) {
    std::vector<double> ms;
    for (int k = 0; k < runs; ++k) {
        QElapsedTimer clock;
        clock.start();
        run(k);
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

bool report(const char* what, Figures f, double budget) {
    std::printf("%-48s median %8.3f ms, max %8.3f ms (budget %g ms)\n", what, f.median, f.max,
                budget);
    return f.median < budget;
}

double heapMiB() {
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

ivc::Force hundredEntries() {
    ivc::Force force;
    force.setName("Hundred");
    force.setLimit(32750);
    for (int k = 0; k < kEntries; ++k)
        force.add(
            ivc::capture(ivc::test::fullestDesign(1 + k % 4, "Entry " + std::to_string(k + 1))),
            1 + k % 9);
    return force;
}

} // namespace

// One run through the figures, in the order a user meets them.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("hundred.ivf");
    const double heapBefore = heapMiB();
    if (!ivc::io::saveForce(path, hundredEntries()).isEmpty())
        return 1;
    ivc::ui::FrmMain main;
    ivc::ui::FrmForce& window = *main.forceWindow();
    window.show();
    QApplication::processEvents();
    bool ok = report("Open a force of 100 entries in the window",
                     timed(7,
                           [&](int) {
                               window.openFile(path);
                               QApplication::processEvents(); // shown: laid out and painted
                           }),
                     kOpenBudgetMs);

    QAbstractItemModel& model = window.model();
    const auto* total = window.findChild<QLabel*>("lblForceTotal");
    QString shown;
    ok &= report("Change one count until the new total shows",
                 timed(200,
                       [&](int k) {
                           model.setData(model.index(50, ivc::ui::ForceModel::Count), 1 + k % 99);
                           shown = total->text();
                       }),
                 kCountBudgetMs);
    ok &= report("The same, with the window repainted",
                 timed(50,
                       [&](int k) {
                           model.setData(model.index(50, ivc::ui::ForceModel::Count), 1 + k % 98);
                           QApplication::processEvents();
                       }),
                 kCountBudgetMs * 10);
    const double heap = heapMiB() - heapBefore;
    std::printf("%-48s %8.2f MiB (budget %g MiB), %d undo steps\n",
                "Heap: window, 100 entries and their undo steps", heap, kMemoryBudgetMiB,
                window.undoStack()->count());
    ok &= heap < kMemoryBudgetMiB;

    const QString pdf = dir.filePath("hundred.pdf");
    ok &= report(
        "Export Force of 100 entries to PDF",
        timed(3, [&](int) { ivc::ui::exportForce(pdf, window.force(), QPageSize(QPageSize::A4)); }),
        kExportBudgetMs);
    return ok ? 0 : 1;
}
