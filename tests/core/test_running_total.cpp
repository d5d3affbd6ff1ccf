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

} // namespace
