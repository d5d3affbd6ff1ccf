#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

// A text without its spaces and line breaks: wrapping may split a word wider than a line.
std::string squeezed(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

// No structure row is chosen and only slot 0 has a weapon: neither the structure field nor
// the seven empty slots are written.
TEST(TextCard, TypicalDesign) {
    const std::string expected =
        "Name: Skyhammer   Points: 130\n"
        "Front Armor: 12   Side Armor: 11   Rear Armor: 10\n"
        "WS 3   BS 3   S 4   I 3   A 0\n"
        "Type: Tank   Size: Normal   Speed: Normal   Category: Heavy Support\n"
        "Weapons:\n"
        "  1x Twin Linked Beam Cannon\n"
        "Close Combat Weapon: CCW   Number: 0\n"
        "Special Options:\n"
        "  Fully Armored\n"
        "  Skimmer\n";
    MainModel m = typicalDesign("Skyhammer");
    m.press(ButtonId::Print);
    EXPECT_EQ(textCard(makeCard(m)), expected);
}

// The longest lines the controls allow, for every race: nothing wider than 80 columns and
// every word of every card field still there, in order.
TEST(TextCard, FullestDesignsFitAndKeepEveryWord) {
    for (int race = Bastion; race <= Blight; ++race) {
        const CardTexts card = makeCard(fullestDesign(
            race, std::string(120, 'W') + " Ωμέγα 鋼鉄の巨人 " + std::string(30, 'x')));
        const std::string text = textCard(card);
        for (const std::string& line : linesOf(text))
            EXPECT_LE(displayWidth(line), 80) << line;
        std::vector<std::string> fields = {card.name, card.closeCombat, card.category.value()};
        for (int s = 0; s < kSlots; ++s)
            if (card.armed[static_cast<std::size_t>(s)])
                fields.push_back(card.weapons[static_cast<std::size_t>(s)]);
        fields.insert(fields.end(), card.specialEntries.begin(), card.specialEntries.end());
        const std::string all = squeezed(text);
        for (const std::string& f : fields)
            EXPECT_NE(all.find(squeezed(f)), std::string::npos) << "lost: " << f;
        EXPECT_GE(card.specialEntries.size(), 9u) << "race " << race;
    }
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
