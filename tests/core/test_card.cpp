#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

using Lines = std::array<std::string, 8>;

// The size shown and the category by size, type and transport; a race's crew profile. A
// fresh design leaves them unwritten, and the structure field empty until a row is chosen.
TEST(Card, HullFieldsBySizeTypeTransportAndRace) {
    const std::string_view transport = "lstTransport=4; chkTransport";
    const std::tuple<Hull, std::string_view, std::string_view> cases[] = {
        {{Bastion, Walker, Small}, "", "Small/Elite"},
        {{Concord, Flyer, Small}, "", "Small/Fast Attack"},
        {{Veyra, LightVehicle, Small}, transport, "Small/Fast Attack"},
        {{Forgeborn, Immobile, Small}, "", "Small/Heavy Support"},
        {{Grak, LightVehicle, Normal}, transport, "Normal/Transport/Heavy"},
        {{Thrane, LightVehicle, Normal}, "", "Normal/Heavy Support"},
        {{Blight, Tank, Normal}, transport, "Normal/Heavy Support"},
        {{Grak, Flyer, WarMachine}, "", "War Machine/War Machine"}};
    for (const auto& [hull, script, expected] : cases) {
        const CardTexts c = makeCard(design(hull, script));
        EXPECT_EQ(c.size.value_or("") + "/" + c.category.value_or(""), expected);
    }
    std::string crews;
    for (int race = Bastion; race <= Blight; ++race) {
        const auto crew = makeCard(design({race, Walker, Normal})).profile.value();
        crews += crew[0] + crew[1] + crew[2] + crew[3] + " ";
    }
    EXPECT_EQ(crews, "4454 4445 3344 3343 4453 4252 4452 4454 ");
    const CardTexts fresh = makeCard(MainModel{});
    EXPECT_FALSE(fresh.profile || fresh.size || fresh.category || !fresh.structure.empty());
    MainModel m;
    startDesign(m, {Grak, Tank, WarMachine});
    armour(m, 12, 11, 10);
    act(m, "lstStructure=5; lstCCW=War Machine CCW; lstAttacks=2; chkSouped");
    const CardTexts c = makeCard(m);
    EXPECT_EQ(c.type + " " + c.frontArmor + c.sideArmor + c.rearArmor + " " + c.speed + " " +
                  c.structure + " " + c.closeCombat + " " + c.closeCombatNumber + " " + c.attacks,
              "Tank 121110 Agile 5 War Machine CCW 2 3");
    EXPECT_EQ(c.special, (Lines{"Fully Armored"}));
}

// Slots with no weapon and fields with no value are left out, and so is a heading with
// nothing under it; the printed card's lines are kept as they are.
TEST(TextCard, LeavesOutWhatIsEmpty) {
    const Hull tank{Concord, Tank, Normal};
    const std::string hull =
        "Front Armor: 10   Side Armor: 10   Rear Armor: 10\nWS 3   BS 3   S 4   I 3\n"
        "Type: Tank   Size: Normal   Speed: Normal   Category: Heavy Support\n";
    const std::string open = "Special Options:\n  Fully Armored\n";
    const std::tuple<std::string_view, MainModel, std::string> rows[] = {
        {"slots 0 and 3 armed, a count on an empty slot",
         design(tank, "lstWpn1_0=Beam Rifle; lstWpn1_3=Ion Cannon; lstNumber_3=2; lstNumber_5=3"),
         hull + "Weapons:\n  1x Beam Rifle\n  2x Ion Cannon\n" + open},
        {"only slot 7 armed", design(tank, "lstWpn1_7=Ion Cannon"),
         hull + "Weapons:\n  1x Ion Cannon\n" + open},
        {"no weapon, structure and close combat chosen",
         design({Grak, Tank, WarMachine}, "lstStructure=5; lstCCW=War Machine CCW"),
         "Front Armor: 10   Side Armor: 10   Rear Armor: 10\nWS 4   BS 2   S 5   I 2   A 0\n"
         "Type: Tank   Size: War Machine   Speed: Lumbering   Category: War Machine\n"
         "Structure Pts: 5\nClose Combat Weapon: War Machine CCW   Number: 0\n" +
             open},
        {"fresh design", MainModel{}, ""},
    };
    for (const auto& [name, m, expected] : rows)
        EXPECT_EQ(textCard(makeCard(m)), expected) << name;
    // The printed card still has a line for every slot.
    const CardTexts printed = makeCard(design(tank, "lstNumber_5=3"));
    EXPECT_EQ(printed.weapons[0] + "/" + printed.weapons[5], "1x None/3x None");
}

} // namespace
