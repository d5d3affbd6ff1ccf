#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

const Hull kBastion{Bastion, Tank, Normal};

// The open upgrade controls of a slot by their headings ("chkAA1_3" is "AA"): the boxes in
// grid order, then the two lists.
std::string openUpgrades(const MainModel& m, int s) {
    std::string open;
    for (CheckId id : allChecks()) {
        const std::string name = objectName(CheckRef{id, s});
        // GCC 12 -Wrestrict false positive (GCC bug 105329) on a one-character string literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
        if (isSlotArray(id) && m.usable({id, s}))
            open += " " + name.substr(3, name.find_first_of("1_") - 3);
#pragma GCC diagnostic pop
    }
    open += m.usable({ListId::Battery, s}) ? " Battery" : "";
    open += m.usable({ListId::Slow, s}) ? " Slow" : "";
    return open.empty() ? open : open.substr(1);
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

// Every upgrade priced at once and printed on the card in its fixed order (an untouched slot
// reads as None), kept when the shown row is picked again, then cleared through its own
// handler by a new weapon.
TEST(WeaponChoice, ANewWeaponClearsEveryUpgradeThroughItsHandler) {
    MainModel m = design({Concord, Tank, WarMachine},
                         "lstWpn1_5=Rotary Cannon; chkTargeter1_5; chkTwin1_5; chkBlast1_5; "
                         "chkMega1_5; chkTitan_5; chkAA1_5; chkLong1_5; chkGatling1_5; "
                         "chkCoax1_5; lstSlow_5=-2; lstNumber_5=5");
    // 20 + 40 + (25 + 38 + 25 + 12 + 25 + 12 + 12 + 10 + 12 - 12) x 5
    EXPECT_EQ(calculate(m), "855");
    EXPECT_EQ(weaponLine(m, 5), "5x Blast Coaxial Gatling Long Barrel Mega AA Mounted Twin Linked "
                                "Titan Killer Slow Fire(-2) Rotary Cannon with Targeter");
    EXPECT_EQ(weaponLine(m, 0), "1x None");
    act(m, "lstWpn1_5=Rotary Cannon");
    EXPECT_EQ(calculate(m), "855");
    act(m, "lstWpn1_5=Howitzer; lstBattery_5=3; chkShort_5; chkBlast1_5");
    EXPECT_EQ(calculate(m), "155"); // 20 + 40 + 25 + 38 - 6 + 38
    EXPECT_EQ(weaponLine(m, 5), "1x Blast Short Barrel Gun Battery(3) Howitzer");
    act(m, "lstWpn1_5=Beam Rifle"); // 3, light
    for (CheckId id : allChecks())
        EXPECT_TRUE(!isSlotArray(id) || !m.check({id, 5}).checked) << info(id).name;
    EXPECT_EQ(m.list({ListId::Battery, 5}).text() + m.list({ListId::Slow, 5}).text(), "");
    EXPECT_EQ(openUpgrades(m, 5), "Blast Coax Mega Targeter Twin");
    EXPECT_EQ(calculate(m), "63");
}

// Every race's list walked row by row in slot 0 of a Small Flyer (air munitions, and no heavy
// hull rule): each row's points as the total shows them and, where its targeter box opens, "+"
// the targeter's, the air munitions last; then the rows and the sum of the open upgrades'
// columns (1 Blast .. 12 Titan Killer), where a wrong class shows.
TEST(WeaponChoice, EveryRowPricedAsTheArsenalTablesAndOpensByItsRow) {
    const std::string shared = "35 35 3 50 4 50 60 10 15 40 20 15 30 35 3 15 25 25 35 40 40 15 5 "
                               "55 40",
                      air = " 5 20 10 8 30";
    const std::tuple<int, std::string, std::string> cases[] = {
        {Bastion, shared, "31 738"},
        {Forgeborn, shared, "31 738"},
        {Concord,
         "25+10 25+10 3+0 50 4+0 50 60 10 10+5 40 15+5 15 30 25+10 3+0 10+5 20+5 25 "
         "25+10 30+10 30+10 10+5 5+0 50 40",
         "31 858"},
        {Blight,
         "35 35 3 50 30 4 10 15 5 50 15 60 10 15 40 20 15 30 35 3 15 25 25 35 40 40 15 15 "
         "5 55 40",
         "37 884"},
        {DarkVeyra, "15 35 15 45 15 4 20 10 15", "15 215"},
        {Veyra, "30+10 25+10 30 3+0 30+10 4+0 20+5 35+10 25+10 25+10 10+5 45+10 25 40+0", "20 678"},
        {Grak, "15 10 12 20 15 3 15 40 40 35", "16 323"},
        {Thrane, "5 8 40 45", "10 159"}};
    for (const auto& [race, expected, opened] : cases) {
        MainModel m = design({race, Flyer, Small});
        const int base = std::stoi(calculate(m));
        const int rows = static_cast<int>(m.list({ListId::Wpn1, 0}).rows.size());
        std::string read;
        int columns = 0;
        for (int row = 1; row < rows; ++row) {
            m.select({ListId::Wpn1, 0}, row);
            for (std::size_t i = 0; i < kUpgrades.size(); ++i) {
                const UpgradeRow& u = kUpgrades[i];
                columns +=
                    (u.isList ? m.usable({u.list, 0}) : m.usable({u.box, 0})) ? int(i) + 1 : 0;
            }
            const int cost = std::stoi(calculate(m)) - base;
            read += " " + std::to_string(cost);
            if (m.usable({CheckId::Targeter1, 0})) {
                act(m, "chkTargeter1_0");
                read += "+" + std::to_string(std::stoi(calculate(m)) - base - cost);
            }
        }
        EXPECT_EQ(read.substr(1), expected + air) << raceInfo(race)->name;
        EXPECT_EQ(std::to_string(rows) + " " + std::to_string(columns), opened)
            << raceInfo(race)->name;
    }
}

} // namespace
