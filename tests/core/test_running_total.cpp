#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

using State = RunningTotal::State;

// The design after the actions and the press, its messages taken.
MainModel after(MainModel m, std::string_view script, std::optional<ButtonId> press = {}) {
    act(m, script);
    if (press)
        m.press(*press);
    m.takeEffects();
    return m;
}

// What the status line says in each state of a design, against lblPoints.
TEST(RunningTotal, SaysWhatCalculateWouldShow) {
    MainModel stats;
    startDesign(stats, {Concord, Tank, Small});
    MainModel past = dearestDesign();
    MainModel pastShown = after(past, "", ButtonId::Calculate);
    pastTheLimit(past);
    pastTheLimit(pastShown);
    const MainModel typical = typicalDesign("Skyhammer");
    const std::tuple<std::string_view, MainModel, std::string_view, State> rows[] = {
        {"fresh start", MainModel{}, "Running total: after Armor", State::BeforeArmor},
        {"initial stats passed", stats, "Running total: after Armor", State::BeforeArmor},
        {"armour refused",
         after(stats, "lstFArmor=14; lstSArmor=14; lstRArmor=14; lstOpen=Fully Armored",
               ButtonId::Next4),
         "Running total: after Armor", State::BeforeArmor},
        // 10 + 40, nothing calculated yet
        {"armour passed", design({Concord, Tank, Normal}), "Running total: 50 points",
         State::Shown},
        {"calculated", typical, "Running total: 130 points", State::Shown},
        // two Beam Rifles at 3
        {"changed since", after(typical, "lstWpn1_1=Beam Rifle; lstNumber_1=2"),
         "Points shown: 130, running total: 136", State::Stale},
        {"changed back", after(typical, "lstWpn1_1=Beam Rifle; lstWpn1_1=None"),
         "Running total: 130 points", State::Shown},
        {"reset after a total", after(typical, "", ButtonId::Reset), "Running total: after Armor",
         State::BeforeArmor},
        {"past the limit", past, kTotalOutOfRange, State::OutOfRange},
        {"past the limit after a total", pastShown,
         "Points shown: 30900. The points total is out of range.", State::OutOfRange},
    };
    for (const auto& [name, m, text, state] : rows) {
        EXPECT_EQ(m.runningTotal().text, text) << name;
        EXPECT_EQ(m.runningTotal().state, state) << name;
    }
}

// Over random walks: asking changes nothing (controls, record, no message), and whenever
// "&Calculate" runs, directly or through "&Print", it shows the running total it was told,
// or refuses exactly when the running total did.
TEST(RunningTotal, AgreesWithCalculateAndChangesNothing) {
    int totals = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 rng(seed);
        MainModel m;
        for (int step = 0; step < 1500; ++step) {
            const MainModel before = m;
            const RunningTotal r = m.runningTotal();
            ASSERT_EQ(describeDifferences(before.controls(), m.controls()), "") << seed;
            ASSERT_EQ(describeDifferences(before.record(), m.record()), "") << seed;
            ASSERT_TRUE(m.takeEffects().empty()) << seed;
            ASSERT_EQ(r.state == State::BeforeArmor, !m.usable(ButtonId::Calculate)) << seed;
            const Action a = randomAction(m, rng);
            apply(m, a);
            const std::string said = effects(m);
            if (!isPress(a, ButtonId::Calculate) && !isPress(a, ButtonId::Print))
                continue;
            ++totals;
            ASSERT_EQ(m.caption(LabelId::Points),
                      r.points ? std::to_string(*r.points) : before.caption(LabelId::Points))
                << seed << " step " << step;
            ASSERT_EQ(said.find(kTotalOutOfRange) != std::string::npos, !r.points) << said;
            // A total shown is the running total's own figure.
            ASSERT_TRUE(!r.points || m.runningTotal().state == State::Shown) << step;
        }
    }
    EXPECT_GT(totals, 100); // the walks do reach the total
}

} // namespace
