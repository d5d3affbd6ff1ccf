#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A text without its spaces and line breaks: wrapping may split a word wider than a line.
std::string squeezed(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

TEST(TextCard, TypicalDesign) {
    std::string expected = "Name: Skyhammer   Points: 130\n"
                           "Front Armor: 12   Side Armor: 11   Rear Armor: 10\n"
                           "WS 3   BS 3   S 4   I 3   A 0\n"
                           "Type: Tank   Size: Normal   Speed: Normal   Category: Heavy Support\n"
                           "Structure Pts: \n"
                           "Weapons:\n"
                           "  1x Twin Linked Beam Cannon\n";
    for (int s = 1; s < kSlots; ++s)
        expected += "  1x None\n";
    expected += "Close Combat Weapon: CCW   Number: 0\n"
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
        fields.insert(fields.end(), card.weapons.begin(), card.weapons.end());
        fields.insert(fields.end(), card.specialEntries.begin(), card.specialEntries.end());
        const std::string all = squeezed(text);
        for (const std::string& f : fields)
            EXPECT_NE(all.find(squeezed(f)), std::string::npos) << "lost: " << f;
        EXPECT_GE(card.specialEntries.size(), 9u) << "race " << race;
    }
}

} // namespace
