// Times a force of 100 entries: opening its file (read, every entry checked and priced),
// the new total after one count changes, and the heap that 200 undo steps of it hold.
// Budgets: under 100 ms, under 1 ms, under 20 MiB.
#include "common/fullest_design.h"
#include "io/forceFile.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <malloc.h>

using namespace ivc;

namespace {

// The fullest design of each race in turn, the longest replays a file can ask for.
Force hundredEntries() {
    std::vector<Design> designs;
    for (int race = 1; race <= 8; ++race)
        designs.push_back(capture(test::fullestDesign(race, "Race " + std::to_string(race))));
    Force force;
    force.setName("Hundred");
    force.setLimit(32767);
    for (std::size_t i = 0; i < 100; ++i)
        force.add(designs[i % designs.size()], static_cast<int>(i % 99) + 1, i % 7 != 0);
    return force;
}

void BM_OpenForce(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("hundred.ivf");
    io::saveForce(path, hundredEntries());
    for (auto _ : state) {
        const io::OpenedForce opened = io::openForce(path);
        if (!opened.force || opened.force->size() != 100)
            state.SkipWithError(qPrintable(opened.error));
        benchmark::DoNotOptimize(opened.force);
    }
}
BENCHMARK(BM_OpenForce)->Unit(benchmark::kMillisecond);

// One count changed and the summary the window shows made from the new total.
void BM_CountChangeTotal(benchmark::State& state) {
    Force force = hundredEntries();
    int count = 1;
    for (auto _ : state) {
        count = count % 99 + 1;
        force.setCount(50, count);
        benchmark::DoNotOptimize(forceSummary(force));
    }
}
BENCHMARK(BM_CountChangeTotal)->Unit(benchmark::kMicrosecond);

// An undo history of whole forces: 200 steps, each a copy of the force after one change.
void BM_UndoSteps(benchmark::State& state) {
    const std::size_t empty = mallinfo2().uordblks;
    const Force start = hundredEntries();
    // The force alone, its designs included; the steps share those designs.
    state.counters["force_MiB"] =
        static_cast<double>(mallinfo2().uordblks - empty) / (1024.0 * 1024.0);
    double mib = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        std::vector<Force> steps;
        steps.reserve(200);
        Force force = start;
        for (int i = 0; i < 200; ++i) {
            force.setCount(static_cast<std::size_t>(i) % 100, i % 99 + 1);
            steps.push_back(force);
        }
        mib = static_cast<double>(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(steps);
    }
    state.counters["steps_MiB"] = mib;
}
BENCHMARK(BM_UndoSteps)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
