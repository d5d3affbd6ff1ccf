// Times saving and opening a design file: the design captured, written through QSaveFile
// and read back, checked and replayed on a fresh model. Each must stay far under 5 ms.
#include "io/designFile.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace ivc;

namespace {

// A Concord war machine with every slot armed and upgraded, options and fields ticked:
// the longest replay a file can ask for.
MainModel fullDesign() {
    MainModel m;
    m.setName("Colossus");
    m.select({ListId::Race, 0}, 3);
    m.select({ListId::Type, 0}, 1);
    m.select({ListId::Size, 0}, 2);
    m.press(ButtonId::Next1);
    for (ListId id : {ListId::FArmor, ListId::SArmor, ListId::RArmor, ListId::Open})
        m.select({id, 0}, 1);
    m.press(ButtonId::Next4);
    m.select({ListId::Structure, 0}, 8);
    m.select({ListId::Transport, 0}, 20);
    m.setChecked({CheckId::Transport, 0}, true);
    m.select({ListId::ConcordF, 0}, 8);
    m.setChecked({CheckId::ConcordF, 0}, true);
    m.setChecked({CheckId::Lander, 0}, true);
    for (int s = 0; s < kSlots; ++s) {
        m.select({ListId::Wpn1, s}, 1);
        for (CheckId box : {CheckId::Blast1, CheckId::Long1, CheckId::Mega1, CheckId::Titan,
                            CheckId::AA1, CheckId::Targeter1, CheckId::Twin1})
            m.setChecked({box, s}, true);
        m.select({ListId::Slow, s}, 2);
        m.select({ListId::Number, s}, 7);
    }
    m.select({ListId::CCW, 0}, 1);
    m.select({ListId::Attacks, 0}, 4);
    m.setChecked({CheckId::Ferocious, 0}, true);
    m.press(ButtonId::Calculate);
    m.takeEffects();
    return m;
}

void BM_SaveDesign(benchmark::State& state) {
    const MainModel m = fullDesign();
    QTemporaryDir dir;
    const QString path = dir.filePath("colossus.ivc");
    for (auto _ : state)
        benchmark::DoNotOptimize(io::saveDesign(path, capture(m)));
}
BENCHMARK(BM_SaveDesign)->Unit(benchmark::kMicrosecond);

void BM_OpenDesign(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("colossus.ivc");
    io::saveDesign(path, capture(fullDesign()));
    for (auto _ : state) {
        const io::Opened opened = io::openDesign(path);
        if (!opened.model)
            state.SkipWithError(qPrintable(opened.error));
        benchmark::DoNotOptimize(opened.model);
    }
}
BENCHMARK(BM_OpenDesign)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
