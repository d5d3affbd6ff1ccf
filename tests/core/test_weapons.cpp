#include "drive.h"

#include <gtest/gtest.h>

using namespace ivc;
using namespace ivc::test;

namespace {

const Hull kBastion{Bastion, Tank, Normal};
const Hull kBastionWM{Bastion, Tank, WarMachine};
const Hull kConcord{Concord, Tank, Normal};
const Hull kVeyra{Veyra, Tank, Normal};
const Hull kGrak{Grak, Tank, Normal};
const Hull kThraneImmobile{Thrane, Immobile, Small};

// The open upgrade controls of a slot by their headings: the boxes, then the two lists.
std::string openUpgrades(const MainModel& m, int s) {
    static const std::pair<CheckId, std::string_view> boxes[] = {
        {CheckId::Blast1, "Blast"},     {CheckId::Coax1, "Coax"},
        {CheckId::Gatling1, "Gatling"}, {CheckId::Long1, "Long"},
        {CheckId::Short, "Short"},      {CheckId::Mega1, "Mega"},
        {CheckId::AA1, "AA"},           {CheckId::Targeter1, "Targeter"},
        {CheckId::Twin1, "Twin"},       {CheckId::Titan, "Titan"}};
    std::string open;
    for (const auto& [box, heading] : boxes)
        open += m.usable({box, s}) ? std::string(heading) + " " : "";
    open += m.usable({ListId::Battery, s}) ? "Battery " : "";
    open += m.usable({ListId::Slow, s}) ? "Slow " : "";
    return open.empty() ? open : open.substr(0, open.size() - 1);
}

i16 cost(const MainModel& m, SlotArray DesignRecord::*field, int s) {
    return (m.record().*field)[static_cast<std::size_t>(s)];
}

struct OpenCase {
    Hull hull;
    std::string_view weapon;
    int cost;
    std::string_view open;
};

TEST(WeaponChoice, OpensTheUpgradesOfTheClassTypeSizeAndRace) {
    const std::string_view heavy = "Blast Coax Gatling Long Short Mega AA Twin Slow";
    const OpenCase cases[] = {
        {kBastion, "Siege Cannon", 50, "Blast Coax Long Short Mega AA Battery"},
        {{Bastion, Immobile, Normal}, "Burner", 10, "Blast Coax Mega"},
        {{Concord, Flyer, Small}, "Big Smart Bomb", 30, ""},
        {{Concord, Flyer, Normal}, "Big Smart Bomb", 30, ""},
        {{Concord, Flyer, WarMachine}, "Big Smart Bomb", 30, "Blast Mega"},
        {kBastion, "Beam Cannon", 35, heavy},
        {kConcord, "Beam Cannon", 25, "Blast Coax Gatling Long Short Mega AA Targeter Twin Slow"},
        {kConcord, "Carbine", 3, "Coax Targeter Twin"},
        {kBastion, "Carbine", 3, "Coax Twin"},
        {kVeyra, "Disc Cannon", 20, "Blast Coax Gatling Long Short Mega AA Targeter Twin Slow"},
        {kVeyra, "Gloom Caster", 25, "Blast Coax Long Short Mega AA Battery"},
        {kGrak, "Boomtube", 15, heavy},
        {{Thrane, Walker, Normal}, "Atomizer Carbine", 8, heavy},
        {{DarkVeyra, Walker, Small}, "Ruiner", 15, "Coax Mega"},
        {{Blight, LightVehicle, Normal}, "Wail Horn", 15, heavy},
        {kBastionWM, "None", 0, "Blast Mega"},
        {kBastionWM, "Carbine", 3, "Blast Coax Mega Twin"},
        {kVeyra, "None", 0, ""}};
    int slot = 0;
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(std::string(c.weapon) + ", " + describe(c.hull));
        slot = (slot + 3) % kSlots;
        MainModel m;
        equipStage(m, c.hull);
        weapon(m, slot, c.weapon);
        EXPECT_EQ(cost(m, &DesignRecord::intWpnCost, slot), c.cost);
        EXPECT_EQ(openUpgrades(m, slot), c.open);
        EXPECT_TRUE(m.usable({ListId::Number, slot}));
    }
}

struct UpgradeCase {
    Hull hull;
    std::string_view weapon;
    SlotArray DesignRecord::*field;
    CheckId box; // for the box upgrades
    int row;     // for Gun Battery and Slow Fire
    int expected;
};

// Fractions of the base cost, halves rounded to even; Titan Killer is ticked after Mega.
TEST(Upgrades, PriceFromTheBaseCost) {
    const auto blast = &DesignRecord::intBlastCost, barrel = &DesignRecord::intBarrelCost,
               twin = &DesignRecord::intTwinCost, titan = &DesignRecord::intTitanCost,
               targeter = &DesignRecord::intTargeterCost, battery = &DesignRecord::intBatteryCost,
               slow = &DesignRecord::intSlowCost;
    const CheckId none{};
    const UpgradeCase cases[] = {
        {kGrak, "Big Rattla", blast, CheckId::Blast1, 0, 22},
        {kBastion, "Beam Cannon", blast, CheckId::Blast1, 0, 52},
        {kBastionWM, "Carbine", blast, CheckId::Blast1, 0, 4},
        {kThraneImmobile, "Atomizer Gun", blast, CheckId::Blast1, 0, 8},
        {kThraneImmobile, "None", blast, CheckId::Blast1, 0, 0},
        {kBastion, "Rocket Pod", barrel, CheckId::Long1, 0, 12},
        {kVeyra, "Refractor Cannon", barrel, CheckId::Long1, 0, 22},
        {kVeyra, "Filament Gun", barrel, CheckId::Short, 0, -2},
        {kBastion, "Howitzer", barrel, CheckId::Short, 0, -6},
        {kBastion, "Penetrator Cannon", barrel, CheckId::Short, 0, -14},
        {kBastion, "Rapid Slugger", twin, CheckId::Twin1, 0, 2},
        {kBastion, "Rocket Pod", twin, CheckId::Twin1, 0, 12},
        {kBastion, "Beam Cannon", &DesignRecord::intAACost, CheckId::AA1, 0, 18},
        {kBastion, "Heavy Fusion Gun", &DesignRecord::intGatlingCost, CheckId::Gatling1, 0, 40},
        {kBastion, "Heavy Fusion Gun", &DesignRecord::intMegaCost, CheckId::Mega1, 0, 40},
        {kBastionWM, "None", &DesignRecord::intMegaCost, CheckId::Mega1, 0, 0},
        {kBastion, "Heavy Fusion Gun", titan, CheckId::Titan, 0, 20},
        {kBastion, "Beam Cannon", &DesignRecord::intCoaxCost, CheckId::Coax1, 0, 0},
        {kConcord, "Rotary Cannon", targeter, CheckId::Targeter1, 0, 10},
        {kConcord, "Heavy Slugger", targeter, CheckId::Targeter1, 0, 5},
        {kConcord, "Carbine", targeter, CheckId::Targeter1, 0, 0},
        {kVeyra, "Disc Cannon", targeter, CheckId::Targeter1, 0, 5},
        {kBastion, "Howitzer", battery, none, 3, 38},
        {kBastion, "Quake Gun", battery, none, 6, 180},
        {kVeyra, "Filament Gun", slow, none, 1, -2},
        {kVeyra, "Filament Gun", slow, none, 3, -8},
        {kBastion, "Rocket Pod", slow, none, 3, -19},
        {kBastion, "Beam Cannon", slow, none, 4, -35}};
    int slot = 0;
    for (const UpgradeCase& c : cases) {
        slot = (slot + 5) % kSlots;
        const bool isList = c.field == battery || c.field == slow;
        const ListRef list{c.field == battery ? ListId::Battery : ListId::Slow, slot};
        SCOPED_TRACE(std::string(c.weapon) + ", " +
                     (isList ? objectName(list) : std::string(info(c.box).name)));
        MainModel m;
        equipStage(m, c.hull);
        weapon(m, slot, c.weapon);
        const i16 base = cost(m, &DesignRecord::intWpnCost, slot);
        if (c.box == CheckId::Titan)
            tick(m, {CheckId::Mega1, slot});
        isList ? pick(m, list, c.row) : tick(m, {c.box, slot});
        EXPECT_EQ(cost(m, c.field, slot), c.expected);
        EXPECT_EQ(cost(m, &DesignRecord::intWpnCost, slot), base);
        isList ? pick(m, list, 0) : tick(m, {c.box, slot}, false);
        EXPECT_EQ(cost(m, c.field, slot), 0);
    }
}

TEST(Upgrades, BarrelsExcludeEachOtherAndMegaCarriesTitanKiller) {
    MainModel m;
    equipStage(m, kBastion);
    weapon(m, 1, "Siege Cannon"); // 50
    tick(m, {CheckId::Long1, 1});
    EXPECT_EQ(openUpgrades(m, 1), "Blast Coax Long Mega AA Battery");
    tick(m, {CheckId::Long1, 1}, false);
    tick(m, {CheckId::Short, 1});
    EXPECT_EQ(openUpgrades(m, 1), "Blast Coax Short Mega AA Battery");
    tick(m, {CheckId::Short, 1}, false);
    EXPECT_EQ(cost(m, &DesignRecord::intBarrelCost, 1), 0);
    EXPECT_EQ(openUpgrades(m, 1), "Blast Coax Long Short Mega AA Battery");

    weapon(m, 4, "Heavy Fusion Gun"); // 40
    tick(m, {CheckId::Gatling1, 4});
    tick(m, {CheckId::Mega1, 4});
    EXPECT_FALSE(m.check({CheckId::Titan, 4}).checked);
    tick(m, {CheckId::Titan, 4});
    EXPECT_EQ(calculate(m), "240"); // 10 + 40 + 50 + (40 + 40 + 40 + 20)
    tick(m, {CheckId::Mega1, 4}, false);
    EXPECT_FALSE(m.check({CheckId::Titan, 4}).checked);
    EXPECT_FALSE(m.check({CheckId::Titan, 4}).enabled);
    EXPECT_EQ(cost(m, &DesignRecord::intTitanCost, 4), 0);
    EXPECT_EQ(calculate(m), "180");
}

TEST(WeaponChoice, ANewWeaponClearsEveryUpgradeThroughItsHandler) {
    MainModel m;
    equipStage(m, {Concord, Tank, WarMachine});
    weapon(m, 5, "Rotary Cannon"); // 25, heavy
    for (CheckId box :
         {CheckId::Blast1, CheckId::Coax1, CheckId::Gatling1, CheckId::Long1, CheckId::Mega1,
          CheckId::Titan, CheckId::AA1, CheckId::Targeter1, CheckId::Twin1})
        tick(m, {box, 5});
    pick(m, {ListId::Slow, 5}, "-2");
    pick(m, {ListId::Number, 5}, "5");
    // 20 + 40 + (25 + 38 + 25 + 12 + 25 + 12 + 12 + 10 + 12 - 12) x 5
    EXPECT_EQ(calculate(m), "855");
    weapon(m, 5, "Howitzer"); // 25, ordnance
    pick(m, {ListId::Battery, 5}, "3");
    tick(m, {CheckId::Long1, 5});
    EXPECT_EQ(calculate(m), "135"); // 20 + 40 + 25 + 38 + 12
    weapon(m, 5, "Beam Rifle");     // 3, light
    for (CheckId id : allChecks())
        EXPECT_TRUE(!info(id).perSlot || !m.check({id, 5}).checked) << info(id).name;
    EXPECT_EQ(m.list({ListId::Battery, 5}).selected, -1);
    EXPECT_EQ(m.list({ListId::Slow, 5}).selected, -1);
    EXPECT_EQ(m.list({ListId::Number, 5}).text(), "1");
    EXPECT_EQ(openUpgrades(m, 5), "Blast Coax Mega Targeter Twin");
    EXPECT_EQ(calculate(m), "63");
}

TEST(WeaponChoice, PickingTheShownRowAgainKeepsTheUpgrades) {
    MainModel m;
    equipStage(m, kVeyra);
    weapon(m, 2, "Sun Spear"); // 30
    tick(m, {CheckId::Targeter1, 2});
    pick(m, {ListId::Number, 2}, "3");
    weapon(m, 2, "Sun Spear");
    EXPECT_TRUE(m.check({CheckId::Targeter1, 2}).checked);
    EXPECT_EQ(m.record().intNumber[2], 3);
    EXPECT_EQ(calculate(m), "170"); // 10 + 40 + (30 + 10) x 3
}

TEST(Total, MultipliesEachSlotByItsNumber) {
    MainModel m;
    equipStage(m, kBastion); // 10 + 40
    weapon(m, 2, "Penetrator Cannon");
    tick(m, {CheckId::Blast1, 2});
    tick(m, {CheckId::Long1, 2});
    pick(m, {ListId::Battery, 2}, "3");
    pick(m, {ListId::Number, 2}, "2");
    EXPECT_EQ(calculate(m), "544"); // (55 + 82 + 28 + 82) x 2 = 494

    weapon(m, 6, "Heavy Slugger"); // 20, a slot worth less than nothing
    tick(m, {CheckId::Short, 6});
    pick(m, {ListId::Slow, 6}, "-4");
    pick(m, {ListId::Number, 6}, "3");
    EXPECT_EQ(calculate(m), "529"); // (20 - 5 - 20) x 3 = -15
    weapon(m, 7, "Carbine");
    pick(m, {ListId::Number, 7}, "8");
    EXPECT_EQ(calculate(m), "553");
}

} // namespace
