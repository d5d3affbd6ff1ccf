#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

using State = RunningTotal::State;

// What the status line says in each state of a design, against lblPoints.
TEST(RunningTotal, SaysWhatCalculateWouldShow) {
    struct Row {
        std::string_view name;
        MainModel (*make)();
        std::string_view text;
        State state;
    };
    const Row rows[] = {
        {"fresh start", [] { return MainModel{}; }, "Running total: after Armor",
         State::BeforeArmor},
        {"initial stats passed, armour not",
         [] {
             MainModel m;
             startDesign(m, {Concord, Tank, Normal});
             return m;
         },
         "Running total: after Armor", State::BeforeArmor},
        {"armour refused",
         [] {
             MainModel m;
             startDesign(m, {Concord, Tank, Small});
             armour(m, 14, 14, 14);
             m.takeEffects();
             return m;
         },
         "Running total: after Armor", State::BeforeArmor},
        // 10 + 40: nothing calculated yet
        {"armour passed",
         [] {
             return design({Concord, Tank, Normal});
         },
         "Running total: 50 points", State::Shown},
        {"calculated", [] { return typicalDesign("Skyhammer"); }, "Running total: 130 points",
         State::Shown},
        // two Beam Rifles at 3
        {"changed since",
         [] {
             MainModel m = typicalDesign("Skyhammer");
             act(m, "lstWpn1_1=Beam Rifle; lstNumber_1=2");
             return m;
         },
         "Points shown: 130, running total: 136", State::Stale},
        {"changed back",
         [] {
             MainModel m = typicalDesign("Skyhammer");
             act(m, "lstWpn1_1=Beam Rifle; lstWpn1_1=None");
             return m;
         },
         "Running total: 130 points", State::Shown},
        {"reset after a total",
         [] {
             MainModel m = typicalDesign("Skyhammer");
             m.press(ButtonId::Reset);
             return m;
         },
         "Running total: after Armor", State::BeforeArmor},
        {"past the limit, nothing calculated",
         [] {
             MainModel m = dearestDesign();
             pastTheLimit(m);
             return m;
         },
         kTotalOutOfRange, State::OutOfRange},
        {"past the limit after a total",
         [] {
             MainModel m = dearestDesign();
             m.press(ButtonId::Calculate);
             pastTheLimit(m);
             return m;
         },
         "Points shown: 30900. The points total is out of range.", State::OutOfRange},
    };
    for (const Row& row : rows) {
        const RunningTotal r = row.make().runningTotal();
        EXPECT_EQ(r.text, row.text) << row.name;
        EXPECT_EQ(r.state, row.state) << row.name;
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
