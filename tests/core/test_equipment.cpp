#include "drive.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace ivc;
using namespace ivc::test;

namespace {

i16 optionPts(const MainModel& m) {
    return m.record().intOptionPts;
}

TEST(Options, TickingAddsThePriceAndUntickingTakesItOff) {
    const std::tuple<CheckId, int, int> cases[] = {
        {CheckId::Amphib, 10, Tank},    {CheckId::Lander, 30, Flyer},
        {CheckId::Recovery, 5, Tank},   {CheckId::Skimmer, 20, Walker},
        {CheckId::Tunneller, 25, Tank}, {CheckId::Wrecker, 5, LightVehicle},
        {CheckId::Tow, 5, Tank},        {CheckId::Carriage, 5, Immobile}};
    for (const auto& [box, points, type] : cases) {
        SCOPED_TRACE(info(box).name);
        MainModel m;
        equipStage(m, {Concord, type, Normal});
        const int before = box == CheckId::Lander ? 0 : 30;
        if (before != 0)
            tick(m, CheckId::Lander); // something already in the sum
        tick(m, box);
        EXPECT_EQ(optionPts(m), before + points);
        tick(m, box, false);
        EXPECT_EQ(optionPts(m), before);
    }
}

struct TransportCase {
    int structureRow; // -1: none chosen
    int capacity;
    int refusedLimit; // 0: accepted
};

TEST(Transport, CapacityIsLimitedByStructurePointsAndLockedWhileTicked) {
    const TransportCase cases[] = {{-1, 11, 0}, {-1, 12, 11}, {0, 12, 11}, {1, 16, 0},
                                   {1, 17, 16}, {2, 21, 0},   {2, 22, 21}, {8, 51, 0}};
    for (const TransportCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "structure row " << c.structureRow << " capacity " << c.capacity);
        MainModel m;
        equipStage(m, {Thrane, Tank, WarMachine});
        if (c.structureRow >= 0)
            pick(m, ListId::Structure, c.structureRow);
        pick(m, ListId::Transport, std::to_string(c.capacity));
        if (c.refusedLimit == 0) {
            EXPECT_EQ(messages(m), kNone);
            tick(m, CheckId::Transport);
            EXPECT_EQ(optionPts(m), c.capacity);
            EXPECT_FALSE(m.usable(ListId::Transport));
            tick(m, CheckId::Transport, false);
            EXPECT_EQ(optionPts(m), 0);
            EXPECT_TRUE(m.usable(ListId::Transport));
            continue;
        }
        EXPECT_EQ(messages(m), one("Too many troops", "This vehicle can transport at most " +
                                                          std::to_string(c.refusedLimit) +
                                                          " models with its structure points."));
        EXPECT_EQ(m.list(ListId::Transport).selected, -1);
        EXPECT_FALSE(m.check(CheckId::Transport).checked || m.check(CheckId::Transport).enabled);
        pick(m, ListId::Transport, "5");
        EXPECT_TRUE(m.usable(CheckId::Transport));
    }
}

struct SoupedCase {
    int type, size, front, side, rear;
    std::string_view fastSpeed;
    int fastPts;
    std::string_view ownSpeed;
    int ownPts;
};

TEST(SoupedUpEngines, SetTheSpeedByHullAndArmour) {
    const SoupedCase cases[] = {{Tank, Normal, 12, 10, 10, "Fast", 20, "Normal", 10},
                                {Tank, Normal, 11, 11, 10, "Agile", 15, "Normal", 10},
                                {LightVehicle, Normal, 10, 10, 10, "Fast", 20, "Normal", 10},
                                {Walker, Normal, 12, 12, 9, "Agile", 15, "Walker", 10},
                                {Walker, WarMachine, 10, 10, 10, "Agile", 30, "Lumbering", 20},
                                {Tank, WarMachine, 14, 12, 12, "Agile", 30, "Lumbering", 20},
                                {Walker, Small, 10, 10, 10, "Agile", 10, "Walker", 5},
                                {Tank, Small, 10, 10, 10, "Fast", 10, "Normal", 5}};
    for (const SoupedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " size " << c.size);
        MainModel m;
        startDesign(m, {Grak, c.type, c.size});
        armour(m, c.front, c.side, c.rear);
        for (int round = 0; round < 2; ++round) {
            tick(m, CheckId::Souped);
            EXPECT_EQ(m.caption(LabelId::Speed), c.fastSpeed);
            EXPECT_EQ(m.record().intBasePts, c.fastPts);
            tick(m, CheckId::Souped, false);
            EXPECT_EQ(m.caption(LabelId::Speed), c.ownSpeed);
            EXPECT_EQ(m.record().intBasePts, c.ownPts);
        }
        EXPECT_EQ(optionPts(m), 0);
    }
}

struct FieldCase {
    Hull hull;
    int structureRow; // -1: none
    CheckId box;
    int count;
    int points; // when ticked; 0: the count is refused
};

TEST(EnergyFields, CountsAreTestedAgainstStructurePoints) {
    const FieldCase cases[] = {{{Veyra, Tank, Small}, -1, CheckId::VeyraF, 4, 100},
                               {{DarkVeyra, Walker, WarMachine}, 0, CheckId::VeyraF, 3, 75},
                               {{Concord, Tank, WarMachine}, -1, CheckId::ConcordF, 1, 0},
                               {{Concord, Tank, WarMachine}, 2, CheckId::ConcordF, 3, 105},
                               {{Concord, Tank, WarMachine}, 2, CheckId::ConcordF, 4, 0},
                               {{Blight, Walker, WarMachine}, 8, CheckId::ConcordF, 9, 315},
                               {{Grak, Tank, Normal}, -1, CheckId::GrakF, 1, 15},
                               {{Grak, Tank, Normal}, -1, CheckId::GrakF, 2, 0},
                               {{Grak, Tank, WarMachine}, -1, CheckId::GrakF, 1, 15},
                               {{Grak, Tank, WarMachine}, 4, CheckId::GrakF, 5, 75},
                               {{Grak, Tank, WarMachine}, 4, CheckId::GrakF, 6, 0}};
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << info(c.box).name << " " << c.count << " structure row " << c.structureRow);
        const ListId list = c.box == CheckId::VeyraF     ? ListId::VeyraF
                            : c.box == CheckId::ConcordF ? ListId::ConcordF
                                                         : ListId::GrakF;
        MainModel m;
        equipStage(m, c.hull);
        if (c.structureRow >= 0)
            pick(m, ListId::Structure, c.structureRow);
        pick(m, list, std::to_string(c.count));
        if (c.points == 0) {
            EXPECT_EQ(messages(m),
                      one("Too many shields", "Cannot have more shields than structure points."));
            EXPECT_EQ(m.list(list).selected, -1);
            EXPECT_TRUE(m.usable(list));
            EXPECT_FALSE(m.check(c.box).enabled);
            continue;
        }
        EXPECT_EQ(messages(m), kNone);
        tick(m, c.box);
        EXPECT_EQ(optionPts(m), c.points);
        EXPECT_FALSE(m.usable(list));
        tick(m, c.box, false);
        EXPECT_EQ(optionPts(m), 0);
        EXPECT_TRUE(m.usable(list));
    }
}

// The window cannot leave structure points selected on a Normal hull any more (the reset
// clears them), so the list is set directly to reach the box's own refusal.
TEST(EnergyFields, GrakBoxRefusesSeveralFieldsOnANormalHull) {
    MainModel m;
    equipStage(m, {Grak, Walker, Normal});
    m.select(ListId::Structure, 4);
    pick(m, ListId::GrakF, "3");
    EXPECT_EQ(messages(m), kNone);
    tick(m, CheckId::GrakF);
    EXPECT_EQ(messages(m), one("Too many shields", "Too many shields"));
    EXPECT_FALSE(m.check(CheckId::GrakF).checked);
    EXPECT_TRUE(m.usable(ListId::GrakF));
    EXPECT_EQ(optionPts(m), 0);
}

struct CombatCase {
    Hull hull;
    std::string_view weapon;
    int attacksRow;
    std::string_view plain, ferocious; // attacks/cost
    std::string_view total;            // with Ferocious, on the light hull of equipStage
};

TEST(CloseCombat, NumberAndFerocityMultiplyThePrice) {
    const CombatCase cases[] = {
        {{Bastion, Tank, Normal}, "Power Weapon", 2, "3/36", "4/48", "98"},
        {{Concord, Tank, WarMachine}, "War Machine CCW", 4, "5/150", "6/180", "240"},
        {{Grak, Walker, WarMachine}, "War Machine CCW", 1, "2/80", "3/120", "180"},
        {{DarkVeyra, Walker, Small}, "Dread CCW", 4, "5/100", "6/120", "165"},
        {{Veyra, Tank, Small}, "CCW", 1, "2/6", "3/9", "54"}};
    const auto shown = [](const MainModel& m) {
        return m.caption(LabelId::Attacks) + "/" + m.caption(LabelId::CCWCost);
    };
    for (const CombatCase& c : cases) {
        SCOPED_TRACE(c.weapon);
        MainModel m;
        equipStage(m, c.hull);
        pick(m, ListId::CCW, c.weapon);
        pick(m, ListId::Attacks, c.attacksRow);
        EXPECT_EQ(shown(m), c.plain);
        tick(m, CheckId::Ferocious);
        EXPECT_EQ(shown(m), c.ferocious);
        EXPECT_EQ(calculate(m), c.total);
        tick(m, CheckId::Ferocious, false);
        EXPECT_EQ(shown(m), c.plain);
    }
}

TEST(CloseCombat, ANewKindStartsAgainFromOneAttack) {
    MainModel m;
    equipStage(m, {Veyra, Walker, Small});
    pick(m, ListId::CCW, "CCW");
    EXPECT_EQ(m.list(ListId::Attacks).text(), "0");
    EXPECT_EQ(m.caption(LabelId::Attacks), "0");
    EXPECT_EQ(m.caption(LabelId::CCWCost), "3");
    EXPECT_FALSE(m.check(CheckId::Ferocious).enabled);
    pick(m, ListId::CCW, "Power Weapon"); // number "0" already shown
    EXPECT_EQ(m.caption(LabelId::CCWCost), "9");
    pick(m, ListId::Attacks, "3");
    tick(m, CheckId::Ferocious);
    pick(m, ListId::CCW, "Dread CCW");
    EXPECT_FALSE(m.check(CheckId::Ferocious).checked || m.check(CheckId::Ferocious).enabled);
    EXPECT_EQ(m.list(ListId::Attacks).text(), "0");
    EXPECT_EQ(m.caption(LabelId::Attacks), "0");
    EXPECT_EQ(m.caption(LabelId::CCWCost), "15");
    EXPECT_EQ(m.record().intExtraAttacks, 0);
    pick(m, ListId::CCW, "None");
    EXPECT_EQ(m.caption(LabelId::Attacks), "0");
    EXPECT_EQ(m.caption(LabelId::CCWCost), "0");
    EXPECT_FALSE(m.list(ListId::Attacks).enabled || m.check(CheckId::Ferocious).enabled);
    EXPECT_EQ(calculate(m), "45"); // 5 + 40
}

// Every box ticked, then a reset: each untick takes its price off before the sums are
// cleared, and nothing survives into the next design.
TEST(Reset, AfterEveryOptionTickedEqualsAFreshStart) {
    MainModel m;
    startDesign(m, {Bastion, Tank, WarMachine});
    armour(m, 12, 12, 12);
    for (CheckId box : {CheckId::Amphib, CheckId::Lander, CheckId::Recovery, CheckId::Skimmer,
                        CheckId::Tunneller, CheckId::Wrecker, CheckId::Tow, CheckId::Souped})
        tick(m, box);
    pick(m, ListId::Structure, "9");
    pick(m, ListId::Transport, "51");
    tick(m, CheckId::Transport);
    pick(m, ListId::ConcordF, "9");
    tick(m, CheckId::ConcordF);
    pick(m, ListId::CCW, "War Machine CCW");
    pick(m, ListId::Attacks, "4");
    tick(m, CheckId::Ferocious);
    weapon(m, 3, "Ion Cannon");
    tick(m, {CheckId::AA1, 3});
    EXPECT_EQ(optionPts(m), 466);    // 100 + 51 + 315
    EXPECT_EQ(calculate(m), "1676"); // 30 + 466 + 80 + 60 + 240 + 800
    press(m, ButtonId::Reset);
    expectFreshStart(m);
}

} // namespace
