#include "drive.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

using namespace ivc;
using namespace ivc::test;

namespace {

TEST(StartUp, OnlyTheRaceStepIsOpenAndEverySlotIsEmpty) {
    const MainModel m;
    for (int s = 0; s < kSlots; ++s) {
        for (CheckId id : allChecks())
            EXPECT_TRUE(!info(id).perSlot || !m.check({id, s}).enabled) << info(id).name;
        EXPECT_EQ(m.list({ListId::Wpn1, s}).text() + m.list({ListId::Battery, s}).text() +
                      m.list({ListId::Slow, s}).text() + m.list({ListId::Number, s}).text(),
                  "None001");
    }
}

// After "&Next": the profile by type and size (speed, armour caption, base points), the
// lists that race and size open (lstVeyraF, lstConcordF, lstGrakF, lstStructure) and the
// option boxes the type leaves open (chkSouped, Amphib, Wrecker, Skimmer, Tunneller,
// Recovery, Tow, Carriage, Lander, Transport). A missing choice is reported and stops.
TEST(InitialStats, SetsTheProfileAndOpensListsAndOptionsByHull) {
    const std::string ground = "1111111010", flyer = "0000000010", immobile = "0111110110",
                      missing = "Missing Data/Select a race, type, and size please.";
    const std::pair<Hull, std::string> cases[] = {
        {{Grak, Flyer, Small}, "Flyer 40   (10) 40 0000 " + flyer},
        {{Grak, Immobile, Normal}, "Immobile 56   (14) 0 0010 " + immobile},
        {{Grak, Tank, WarMachine}, "Lumbering 56   (14) 20 0011 " + ground},
        {{Veyra, Walker, Small}, "Walker 44   (12) 5 1000 " + ground},
        {{Concord, Immobile, WarMachine}, "Immobile 56   (14) 0 0101 " + immobile},
        {{Bastion, Walker, Normal}, "Walker 47   (13) 10 0000 " + ground},
        {{Thrane, Flyer, WarMachine}, "Flyer 44   (12) 40 0001 " + flyer},
        {{0, Tank, Normal}, missing},
        {{Bastion, 0, Normal}, missing},
        {{Bastion, Tank, 0}, missing}};
    for (const auto& [hull, expected] : cases) {
        MainModel m;
        startDesign(m, hull);
        std::string shown = effects(m);
        if (shown.empty()) {
            shown = m.caption(LabelId::Speed) + " " + m.caption(LabelId::MaxArmor) + " " +
                    std::to_string(m.record().intBasePts) + " ";
            for (ListId id : {ListId::VeyraF, ListId::ConcordF, ListId::GrakF, ListId::Structure})
                shown += m.list(id).enabled ? '1' : '0';
            shown += ' ';
            for (CheckId box :
                 {CheckId::Souped, CheckId::Amphib, CheckId::Wrecker, CheckId::Skimmer,
                  CheckId::Tunneller, CheckId::Recovery, CheckId::Tow, CheckId::Carriage,
                  CheckId::Lander, CheckId::Transport})
                shown += m.check(box).enabled ? '1' : '0';
            EXPECT_EQ(m.list(ListId::CCW).rows.size(), hull.size == WarMachine ? 2u : 4u);
        }
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(m.usable(ButtonId::Next1), shown == missing);
        EXPECT_EQ(m.frameEnabled(FrameId::Armor), shown != missing);
    }
}

// The armour total and points: fully armoured below 47 pays 10 more, open-topped from 51 up
// 10 less. Souped-up Engines, open up to 50, set speed and base points by hull and armour
// and give the hull's own back. A refusal names the first failed check and keeps the step.
TEST(Armour, PricesTheFacingsAndSoupedUpSpeedsOrRefusesInOrder) {
    const Hull tank{Concord, Tank, Normal}, light{Bastion, LightVehicle, Normal}; // 56/14, 44/12
    const std::tuple<Hull, int, int, int, int, std::string> cases[] = {
        {tank, 12, 10, 10, 1, "42 50, Fast 20, Normal 10"},
        {tank, 11, 11, 10, 1, "43 55, Agile 15, Normal 10"},
        {tank, 11, 12, 12, 1, "47 75, Agile 15, Normal 10"},
        {tank, 14, 12, 12, 0, "50 100, Agile 15, Normal 10"},
        {tank, 13, 13, 12, 0, "51 100"},
        {tank, 13, 13, 12, 1, "51 110"},
        {{Grak, Walker, WarMachine}, 10, 10, 10, 1, "40 40, Agile 30, Lumbering 20"},
        {{Grak, Walker, Small}, 12, 10, 9, 1, "41 45, Agile 10, Walker 5"},
        {{Grak, Tank, Small}, 10, 10, 10, 1, "40 40, Fast 10, Normal 5"},
        {light, 0, 0, 0, -1, "Missing Data/Please choose armor values."},
        {light, 12, 12, 9, 1, "Error/Too much armor"},
        {light, 14, 14, 9, 1, "Error/Too much armor"},
        {light, 13, 10, 9, 1, "Error/Too much armor per facing"},
        {light, 9, 13, 9, 1, "Error/Too much armor per facing"},
        {light, 12, 10, 12, -1, "Error/Select Open-topped or fully armored"}};
    const auto speed = [](const MainModel& m) {
        return ", " + m.caption(LabelId::Speed) + " " + std::to_string(m.record().intBasePts);
    };
    for (const auto& [hull, front, side, rear, open, expected] : cases) {
        MainModel m;
        startDesign(m, hull);
        armour(m, front, side, rear, open);
        std::string shown = effects(m);
        if (!shown.empty()) {
            EXPECT_FALSE(m.frameEnabled(FrameId::Weap) || m.usable(ButtonId::Calculate));
        } else {
            EXPECT_FALSE(m.frameEnabled(FrameId::Armor));
            shown = std::to_string(m.record().intArmorTotal) + " " +
                    std::to_string(m.record().intArmorPts);
            if (m.check(CheckId::Souped).enabled) {
                tick(m, CheckId::Souped);
                shown += speed(m);
                tick(m, CheckId::Souped, false);
                shown += speed(m);
            }
        }
        EXPECT_EQ(shown, expected);
    }
}

// Slot 3 counts eight times; the caption is read as a leading number; every sum and
// product is checked, and so is the total rounded half to even.
TEST(Total, ReadsTheCaptionAndRefusesEveryWayOutOfSixteenBits) {
    const std::optional<int> out;
    const std::tuple<int, int, int, std::string, std::optional<int>> cases[] = {
        {0, 1, 0, "  12 pts", 20}, {0, 1, 0, "pts 12", 8},   {0, 1, 0, "-3.5", 4},
        {0, 1, 100, "3.5", 112},   {0, 4095, 0, "7", 32767}, {0, -4096, 0, "0", -32768},
        {0, 4096, 0, "", out},     {0, -4097, 0, "", out},   {0, 4000, 800, "", out},
        {0, 4095, 0, "8", out},    {32767, 1, 0, "", out},   {-32768, -1, 0, "", out}};
    for (const auto& [base, slotSum, structure, caption, total] : cases) {
        DesignRecord r;
        r.intNumber = {1, 1, 1, 8, 1, 1, 1, 1, 0};
        r.intBasePts = static_cast<i16>(base);
        r.intWpnCost[3] = static_cast<i16>(slotSum);
        r.intStructureCost = static_cast<i16>(structure);
        EXPECT_EQ(pointsTotal(r, caption), total) << base << " " << slotSum << " " << caption;
    }
}

// No design the window allows passes the 16-bit limit (the dearest comes to about 32,400),
// so the model is pushed past it by ticking Gatling, which ordnance keeps closed.
TEST(Total, ModelRefusesATotalOutOfRangeAndKeepsTheShownOne) {
    MainModel m;
    startDesign(m, {Bastion, Tank, WarMachine});
    armour(m, 14, 14, 14);
    for (const char s : std::string("01234567")) {
        std::string slot = "lstWpn1_#=Quake Gun; chkBlast1_#; chkLong1_#; chkMega1_#; chkTitan_#; "
                           "chkAA1_#; lstBattery_#=6; lstNumber_#=8";
        std::replace(slot.begin(), slot.end(), '#', s);
        act(m, slot);
    }
    // (60 + 90 + 30 + 60 + 30 + 30 + 180) x 8 x 8 slots + 20 + 160
    EXPECT_EQ(calculate(m), "30900");
    for (int s = 0; s < kSlots; ++s)
        m.setChecked({CheckId::Gatling1, s}, true);
    press(m, ButtonId::Calculate);
    press(m, ButtonId::Print); // the message again, and no card
    EXPECT_EQ(effects(m), "Error/The points total is out of range.; "
                          "Error/The points total is out of range.");
    EXPECT_EQ(m.caption(LabelId::Points), "30900");
}

// A Flyer closes options and appends munitions; the Tank after it must find them open.
TEST(Reset, AfterAFlyerEqualsAFreshStartAndFreesTheTank) {
    MainModel m;
    m.setName("Skyhammer");
    startDesign(m, {Concord, Flyer, WarMachine});
    armour(m, 12, 10, 10);
    act(m, "lstStructure=2; lstConcordF=2; chkConcordF; lstWpn1_0=Big Smart Bomb; "
           "lstWpn1_1=Beam Cannon; chkTwin1_1; chkTargeter1_1; lstNumber_1=3; chkLander; "
           "lstTransport=10; chkTransport; lstCCW=War Machine CCW; lstAttacks=3; chkFerocious");
    press(m, ButtonId::Calculate);
    press(m, ButtonId::Reset);
    EXPECT_EQ(m.name(), "Skyhammer");
    expectFreshStart(m);
    m = design({Bastion, Tank, Small}, "chkAmphib; chkSkimmer", m);
    EXPECT_EQ(calculate(m), "75");
}

// Every box ticked on a Veyra war machine, then a reset: each untick takes its price off
// before the sums are cleared, and no structure, field or close combat leaks into the
// Small hull after it.
TEST(Reset, AfterAVeyraWarMachineWithEveryBoxTickedEqualsAFreshStart) {
    MainModel m;
    startDesign(m, {Veyra, Walker, WarMachine});
    armour(m, 12, 12, 12);
    act(m, "chkAmphib; chkLander; chkRecovery; chkSkimmer; chkTunneller; chkWrecker; chkTow; "
           "chkSouped; lstStructure=9; lstTransport=51; chkTransport; lstVeyraF=4; chkVeyraF; "
           "lstWpn1_3=Strobe Laser; chkAA1_3; chkLong1_3; lstSlow_3=-2; lstCCW=War Machine CCW; "
           "lstAttacks=1; chkFerocious");
    // 30 + (100 + 51 + 4 x 25) + 80 + 800 + (30 + 15 + 15 - 15) + 3 x 30
    EXPECT_EQ(calculate(m), "1296");
    press(m, ButtonId::Reset);
    expectFreshStart(m);
    m = design({Bastion, Tank, Small}, "", m);
    EXPECT_EQ(calculate(m), "45"); // 5 + 40: no structure points of the war machine
}

} // namespace
