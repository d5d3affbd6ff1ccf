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

} // namespace
