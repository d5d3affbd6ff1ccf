#include "core/card.h"
#include "drive.h"

#include <gtest/gtest.h>

#include <array>

using namespace ivc;
using namespace ivc::test;

namespace {

using Lines = std::array<std::string, 8>;

TEST(Card, TypicalDesignFromRaceToPrint) {
    MainModel m;
    m.setName("Warden");
    startDesign(m, {Concord, Tank, Normal});
    armour(m, 12, 11, 10);
    weapon(m, 0, "Beam Cannon");
    tick(m, {CheckId::Twin1, 0});
    tick(m, CheckId::Skimmer);
    pick(m, ListId::CCW, "CCW");
    press(m, ButtonId::Calculate);
    press(m, ButtonId::Print);
    const auto effects = m.takeEffects();
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_EQ(std::get<Request>(effects[0]), Request::ShowCard);
    EXPECT_EQ(m.caption(LabelId::Points), "130");

    const CardTexts card = makeCard(m);
    EXPECT_EQ(card.name, "Warden");
    EXPECT_EQ(card.points, "130");
    EXPECT_EQ(card.frontArmor, "12");
    EXPECT_EQ(card.sideArmor, "11");
    EXPECT_EQ(card.rearArmor, "10");
    EXPECT_EQ(card.profile, (std::array<std::string, 4>{"3", "3", "4", "3"}));
    EXPECT_EQ(card.attacks, "0");
    EXPECT_EQ(card.type, "Tank");
    EXPECT_EQ(card.size, "Normal");
    EXPECT_EQ(card.category, "Heavy Support");
    EXPECT_EQ(card.speed, "Normal");
    EXPECT_EQ(card.structure, "");
    EXPECT_EQ(card.weapons[0], "1x Twin Linked Beam Cannon");
    EXPECT_EQ(card.weapons[7], "1x None"); // never picked since the hull refilled its list
    EXPECT_EQ(card.closeCombat, "CCW");
    EXPECT_EQ(card.closeCombatNumber, "0");
    EXPECT_EQ(card.special, (Lines{"Fully Armored", "Skimmer"}));

    EXPECT_EQ(printQuestion(),
              (Message{"Statcard Print", "Print Statcard?", Message::Buttons::YesNo}));
}

TEST(Card, FreshDesignWritesNoProfileSizeOrCategory) {
    const MainModel m;
    const CardTexts card = makeCard(m);
    EXPECT_FALSE(card.profile.has_value());
    EXPECT_FALSE(card.size.has_value());
    EXPECT_FALSE(card.category.has_value());
    for (const std::string& line : card.weapons)
        EXPECT_EQ(line, "1x None");
}

struct CategoryCase {
    int race, type, size;
    bool transport;
    std::string_view shown, category, profile; // profile: WS BS S I
};

TEST(Card, CategoryBySizeTypeAndTransportAndProfileByRace) {
    const CategoryCase cases[] = {
        {Bastion, Walker, Small, false, "Small", "Elite", "4454"},
        {DarkVeyra, Tank, Small, false, "Small", "Fast Attack", "4445"},
        {Veyra, LightVehicle, Small, true, "Small", "Fast Attack", "3344"},
        {Concord, Flyer, Small, false, "Small", "Fast Attack", "3343"},
        {Forgeborn, Immobile, Small, false, "Small", "Heavy Support", "4453"},
        {Grak, LightVehicle, Normal, true, "Normal", "Transport/Heavy", "4252"},
        {Thrane, LightVehicle, Normal, false, "Normal", "Heavy Support", "4452"},
        {Blight, Tank, Normal, true, "Normal", "Heavy Support", "4454"},
        {Bastion, Walker, Normal, false, "Normal", "Heavy Support", "4454"},
        {Grak, Flyer, WarMachine, false, "War Machine", "War Machine", "4252"},
        {Concord, Immobile, WarMachine, false, "War Machine", "War Machine", "3343"}};
    for (const CategoryCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "race " << c.race << " type " << c.type << " size " << c.size);
        MainModel m;
        equipStage(m, {c.race, c.type, c.size});
        if (c.transport) {
            pick(m, ListId::Transport, "4");
            tick(m, CheckId::Transport);
        }
        const CardTexts card = makeCard(m);
        EXPECT_EQ(card.size, c.shown);
        EXPECT_EQ(card.category, c.category);
        ASSERT_TRUE(card.profile.has_value());
        EXPECT_EQ((*card.profile)[0] + (*card.profile)[1] + (*card.profile)[2] + (*card.profile)[3],
                  c.profile);
    }
}

TEST(Card, WeaponLinesListUpgradesInTheirFixedOrder) {
    MainModel m;
    equipStage(m, {Concord, Tank, WarMachine});
    weapon(m, 1, "Rotary Cannon");
    for (CheckId box :
         {CheckId::Targeter1, CheckId::Twin1, CheckId::Blast1, CheckId::Mega1, CheckId::Titan,
          CheckId::AA1, CheckId::Long1, CheckId::Gatling1, CheckId::Coax1})
        tick(m, {box, 1});
    pick(m, {ListId::Slow, 1}, "-2");
    pick(m, {ListId::Number, 1}, "2");
    weapon(m, 2, "Quake Gun");
    tick(m, {CheckId::Short, 2});
    tick(m, {CheckId::Blast1, 2});
    pick(m, {ListId::Battery, 2}, "3");
    weapon(m, 3, "Howitzer");
    pick(m, {ListId::Battery, 3}, "0");
    weapon(m, 4, "Beam Cannon");
    pick(m, {ListId::Slow, 4}, "0");
    weapon(m, 5, "None");

    const CardTexts card = makeCard(m);
    EXPECT_EQ(card.weapons[1], "2x Blast Coaxial Gatling Long Barrel Mega AA Mounted Twin Linked "
                               "Titan Killer Slow Fire(-2) Rotary Cannon with Targeter");
    EXPECT_EQ(card.weapons[2], "1x Blast Short Barrel Gun Battery(3) Quake Gun");
    EXPECT_EQ(card.weapons[3], "1x Howitzer");
    EXPECT_EQ(card.weapons[4], "1x Beam Cannon");
    EXPECT_EQ(card.weapons[5], "1x None");
}

TEST(Card, SpecialLinesInOrderWithTheRestGatheredOnTheLast) {
    MainModel m;
    startDesign(m, {Bastion, Tank, WarMachine});
    armour(m, 12, 12, 12, 0);
    for (CheckId box : {CheckId::Tow, CheckId::Amphib, CheckId::Recovery, CheckId::Lander})
        tick(m, box);
    pick(m, ListId::Structure, "3");
    pick(m, ListId::ConcordF, "2");
    tick(m, CheckId::ConcordF);
    pick(m, ListId::Transport, "12");
    tick(m, CheckId::Transport);
    pick(m, ListId::CCW, "War Machine CCW");
    pick(m, ListId::Attacks, "1");
    tick(m, CheckId::Ferocious);
    EXPECT_EQ(makeCard(m).special,
              (Lines{"Open-Topped", "Amphibious", "Orbital Lander", "Recovery Vehicle",
                     "Transports 12", "2 Ward Shields", "Ferocious", "Tow Bar"}));
    for (CheckId box : {CheckId::Skimmer, CheckId::Wrecker, CheckId::Tunneller})
        tick(m, box);
    const CardTexts card = makeCard(m);
    EXPECT_EQ(card.special,
              (Lines{"Open-Topped", "Amphibious", "Orbital Lander", "Recovery Vehicle", "Tunneller",
                     "Wrecker", "Skimmer", "Transports 12, 2 Ward Shields, Ferocious, Tow Bar"}));
    EXPECT_EQ(card.lastSpecialTooltip, card.special[7]);

    MainModel v;
    equipStage(v, {Veyra, Immobile, Small});
    tick(v, CheckId::Carriage);
    pick(v, ListId::VeyraF, "2");
    tick(v, CheckId::VeyraF);
    EXPECT_EQ(makeCard(v).special, (Lines{"Fully Armored", "2 Veyra Fields", "Carriage"}));
    MainModel g;
    equipStage(g, {Grak, Walker, Normal});
    pick(g, ListId::GrakF, "1");
    tick(g, CheckId::GrakF);
    tick(g, CheckId::Wrecker);
    EXPECT_EQ(makeCard(g).special, (Lines{"Fully Armored", "Wrecker", "1 Grak Shields"}));
}

TEST(Card, StructureShowsOnlyAChosenRow) {
    MainModel m;
    equipStage(m, {Grak, Tank, WarMachine});
    pick(m, ListId::Structure, "5");
    EXPECT_EQ(makeCard(m).structure, "5");
    press(m, ButtonId::Reset);
    equipStage(m, {Grak, Tank, Small});
    EXPECT_EQ(makeCard(m).structure, "");
}

} // namespace
