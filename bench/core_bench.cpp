// Times every kind of user action on the core model. Each must stay far under 20 us.
#include "core/card.h"
#include "core/model.h"

#include <benchmark/benchmark.h>

using namespace ivc;

namespace {

// A Concord war machine with every slot armed and upgraded and options ticked: the
// heaviest state a reset has to unwind.
MainModel fullDesign() {
    MainModel m;
    m.select(ListId::Race, 3);
    m.select(ListId::Type, 4);
    m.select(ListId::Size, 2);
    m.press(ButtonId::Next1);
    for (ListId id : {ListId::FArmor, ListId::SArmor, ListId::RArmor, ListId::Open})
        m.select({id, 0}, 1);
    m.press(ButtonId::Next4);
    for (int s = 0; s < kSlots; ++s) {
        m.select({ListId::Wpn1, s}, 1);
        for (CheckId box : {CheckId::Blast1, CheckId::Gatling1, CheckId::Long1, CheckId::Mega1,
                            CheckId::Titan, CheckId::AA1, CheckId::Targeter1, CheckId::Twin1})
            m.setChecked({box, s}, true);
        m.select({ListId::Slow, s}, 2);
        m.select({ListId::Number, s}, 7);
    }
    m.select(ListId::Structure, 8);
    m.select(ListId::ConcordF, 8);
    m.setChecked(CheckId::ConcordF, true);
    m.setChecked(CheckId::Lander, true);
    m.select(ListId::CCW, 1);
    m.select(ListId::Attacks, 4);
    m.setChecked(CheckId::Ferocious, true);
    return m;
}

void BM_ResetFullDesign(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        MainModel m = fullDesign();
        state.ResumeTiming();
        m.press(ButtonId::Reset);
        benchmark::DoNotOptimize(m.record());
    }
}
BENCHMARK(BM_ResetFullDesign);

void BM_ConfirmInitialStats(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        MainModel m;
        m.select(ListId::Race, 7);
        m.select(ListId::Type, 3);
        m.select(ListId::Size, 2);
        state.ResumeTiming();
        m.press(ButtonId::Next1);
        benchmark::DoNotOptimize(m.record());
    }
}
BENCHMARK(BM_ConfirmInitialStats);

void BM_WeaponChoiceClearingUpgrades(benchmark::State& state) {
    MainModel m = fullDesign();
    int row = 1;
    for (auto _ : state) {
        row = row == 1 ? 2 : 1;
        m.select({ListId::Wpn1, 0}, row);
        for (CheckId box : {CheckId::Blast1, CheckId::Long1, CheckId::Mega1, CheckId::Titan})
            m.setChecked({box, 0}, true);
        benchmark::DoNotOptimize(m.record());
    }
}
BENCHMARK(BM_WeaponChoiceClearingUpgrades);

void BM_TickOption(benchmark::State& state) {
    MainModel m = fullDesign();
    bool on = false;
    for (auto _ : state) {
        on = !on;
        m.setChecked(CheckId::Skimmer, on);
        benchmark::DoNotOptimize(m.record());
    }
}
BENCHMARK(BM_TickOption);

void BM_Calculate(benchmark::State& state) {
    MainModel m = fullDesign();
    for (auto _ : state) {
        m.press(ButtonId::Calculate);
        benchmark::DoNotOptimize(m.caption(LabelId::Points));
    }
}
BENCHMARK(BM_Calculate);

// The status line's query after every change: the fullest design, its shown total out of
// date, so the longest text is built.
void BM_RunningTotal(benchmark::State& state) {
    MainModel m = fullDesign();
    m.press(ButtonId::Calculate);
    m.select({ListId::Number, 0}, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(m.runningTotal());
}
BENCHMARK(BM_RunningTotal);

void BM_CardTexts(benchmark::State& state) {
    const MainModel m = fullDesign();
    for (auto _ : state)
        benchmark::DoNotOptimize(makeCard(m));
}
BENCHMARK(BM_CardTexts);

} // namespace

BENCHMARK_MAIN();
