#include "core/card.h"
#include "drive.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace ivc;
using namespace ivc::test;

namespace {

const Hull kBastion{Bastion, Tank, Normal};
const Hull kVeyra{Veyra, Tank, Normal};

// The open upgrade controls of a slot by their headings ("chkAA1_3" is "AA"): the boxes in
// grid order, then the two lists.
std::string openUpgrades(const MainModel& m, int s) {
    std::string open;
    for (CheckId id : allChecks()) {
        const std::string name = objectName(CheckRef{id, s});
        if (info(id).perSlot && m.usable({id, s}))
            open += " " + name.substr(3, name.find_first_of("1_") - 3);
    }
    open += m.usable({ListId::Battery, s}) ? " Battery" : "";
    open += m.usable({ListId::Slow, s}) ? " Slow" : "";
    return open.empty() ? open : open.substr(1);
}

i16 cost(const MainModel& m, SlotArray DesignRecord::*field, int s = 0) {
    return (m.record().*field)[static_cast<std::size_t>(s)];
}

// Slot 3's base cost and open upgrades: class first; Immobile and War Machine hulls open
// Blast and Mega; only Veyra and Concord keep the targeter.
TEST(WeaponChoice, OpensTheUpgradesOfTheClassTypeSizeAndRace) {
    const std::string heavy = "Blast Coax Gatling Long Short Mega AA Twin Slow",
                      targeter = "Blast Coax Gatling Long Short Mega AA Targeter Twin Slow";
    const std::tuple<Hull, std::string_view, std::string> cases[] = {
        {kBastion, "Siege Cannon", "50 Blast Coax Long Short Mega AA Battery"},
        {{Bastion, Immobile, Normal}, "Burner", "10 Blast Coax Mega"},
        {{Concord, Flyer, Small}, "Big Smart Bomb", "30 "},
        {{Concord, Flyer, WarMachine}, "Big Smart Bomb", "30 Blast Mega"},
        {kBastion, "Beam Cannon", "35 " + heavy},
        {{Concord, Tank, Normal}, "Beam Cannon", "25 " + targeter},
        {kBastion, "Carbine", "3 Coax Twin"},
        {kVeyra, "Disc Cannon", "20 " + targeter},
        {{Grak, Tank, Normal}, "Boomtube", "15 " + heavy},
        {{Bastion, Tank, WarMachine}, "None", "0 Blast Mega"}};
    for (const auto& [hull, weapon, expected] : cases) {
        const MainModel m = design(hull, "lstWpn1_3=" + std::string(weapon));
        EXPECT_EQ(std::to_string(cost(m, &DesignRecord::intWpnCost, 3)) + " " + openUpgrades(m, 3),
                  expected);
    }
}

// Fractions of the base cost in slot 0, halves rounded to even, taken off again on
// unticking; the targeter is priced by race and row.
TEST(Upgrades, PriceFromTheBaseCost) {
    const auto targeter = &DesignRecord::intTargeterCost, slow = &DesignRecord::intSlowCost;
    const std::tuple<Hull, std::string_view, SlotArray DesignRecord::*, std::string, int> cases[] =
        {{{Grak, Tank, Normal}, "Big Rattla", &DesignRecord::intBlastCost, "chkBlast1_0", 22},
         {kBastion, "Penetrator Cannon", &DesignRecord::intBarrelCost, "chkShort_0", -14},
         {kBastion, "Rapid Slugger", &DesignRecord::intTwinCost, "chkTwin1_0", 2},
         {{Concord, Tank, Normal}, "Rotary Cannon", targeter, "chkTargeter1_0", 10},
         {kVeyra, "Disc Cannon", targeter, "chkTargeter1_0", 5},
         {kBastion, "Howitzer", &DesignRecord::intBatteryCost, "lstBattery_0=3", 38},
         {kVeyra, "Filament Gun", slow, "lstSlow_0=-1", -2},
         {kBastion, "Rocket Pod", slow, "lstSlow_0=-3", -19}};
    for (const auto& [hull, weapon, field, upgrade, expected] : cases) {
        MainModel m = design(hull, "lstWpn1_0=" + std::string(weapon));
        const i16 base = cost(m, &DesignRecord::intWpnCost);
        act(m, upgrade);
        EXPECT_EQ(cost(m, field), expected) << weapon;
        EXPECT_EQ(cost(m, &DesignRecord::intWpnCost), base) << weapon;
        const auto eq = upgrade.find('=');
        act(m, eq == std::string::npos ? "-" + upgrade : upgrade.substr(0, eq) + "=0");
        EXPECT_EQ(cost(m, field), 0) << weapon;
    }
}

TEST(Upgrades, BarrelsExcludeEachOtherAndMegaCarriesTitanKiller) {
    MainModel m = design(kBastion, "lstWpn1_1=Siege Cannon; chkLong1_1"); // 50
    EXPECT_EQ(openUpgrades(m, 1), "Blast Coax Long Mega AA Battery");
    act(m, "-chkLong1_1; chkShort_1");
    EXPECT_EQ(openUpgrades(m, 1), "Blast Coax Short Mega AA Battery");
    act(m, "-chkShort_1");
    EXPECT_EQ(openUpgrades(m, 1), "Blast Coax Long Short Mega AA Battery");
    act(m, "lstWpn1_4=Heavy Fusion Gun; chkMega1_4"); // 40
    EXPECT_FALSE(m.check({CheckId::Titan, 4}).checked);
    act(m, "chkTitan_4");
    EXPECT_EQ(calculate(m), "200"); // 10 + 40 + 50 + (40 + 40 + 20)
    act(m, "-chkMega1_4");
    EXPECT_FALSE(m.check({CheckId::Titan, 4}).checked || m.check({CheckId::Titan, 4}).enabled);
    EXPECT_EQ(calculate(m), "140");
}

// Every upgrade priced at once and printed on the card in its fixed order, then cleared
// through its own handler by a new weapon.
TEST(WeaponChoice, ANewWeaponClearsEveryUpgradeThroughItsHandler) {
    MainModel m = design({Concord, Tank, WarMachine},
                         "lstWpn1_5=Rotary Cannon; chkTargeter1_5; chkTwin1_5; chkBlast1_5; "
                         "chkMega1_5; chkTitan_5; chkAA1_5; chkLong1_5; chkGatling1_5; "
                         "chkCoax1_5; lstSlow_5=-2; lstNumber_5=5");
    // 20 + 40 + (25 + 38 + 25 + 12 + 25 + 12 + 12 + 10 + 12 - 12) x 5
    EXPECT_EQ(calculate(m), "855");
    EXPECT_EQ(weaponLine(m, 5), "5x Blast Coaxial Gatling Long Barrel Mega AA Mounted Twin Linked "
                                "Titan Killer Slow Fire(-2) Rotary Cannon with Targeter");
    act(m, "lstWpn1_5=Howitzer; lstBattery_5=3; chkShort_5; chkBlast1_5");
    EXPECT_EQ(calculate(m), "155"); // 20 + 40 + 25 + 38 - 6 + 38
    EXPECT_EQ(weaponLine(m, 5), "1x Blast Short Barrel Gun Battery(3) Howitzer");
    act(m, "lstWpn1_5=Beam Rifle"); // 3, light
    for (CheckId id : allChecks())
        EXPECT_TRUE(!info(id).perSlot || !m.check({id, 5}).checked) << info(id).name;
    EXPECT_EQ(m.list({ListId::Battery, 5}).text() + m.list({ListId::Slow, 5}).text(), "");
    EXPECT_EQ(openUpgrades(m, 5), "Blast Coax Mega Targeter Twin");
    EXPECT_EQ(calculate(m), "63");
}

TEST(WeaponChoice, PickingTheShownRowAgainKeepsTheUpgrades) {
    MainModel m =
        design(kVeyra, "lstWpn1_2=Sun Spear; chkTargeter1_2; lstNumber_2=3; lstWpn1_2=Sun Spear");
    EXPECT_EQ(calculate(m), "170"); // 10 + 40 + (30 + 10) x 3
}

// The worked example, then a slot worth less than nothing.
TEST(Total, MultipliesEachSlotByItsNumber) {
    MainModel m = design(kBastion, "lstWpn1_2=Penetrator Cannon; chkBlast1_2; chkLong1_2; "
                                   "lstBattery_2=3; lstNumber_2=2");
    EXPECT_EQ(calculate(m), "544"); // 10 + 40 + (55 + 82 + 28 + 82) x 2
    act(m, "lstWpn1_6=Heavy Slugger; chkShort_6; lstSlow_6=-4; lstNumber_6=3");
    EXPECT_EQ(calculate(m), "529"); // (20 - 5 - 20) x 3 = -15
}

} // namespace
