#include "common/strike_group.h"
#include "core/force.h"
#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

// The walk-through design, 130 points, and the same hull with a Slugger in place of the
// twin linked Beam Cannon, 97 points: an odd figure, so that a limit can be passed by one.
Design typical(const std::string& name = "Warden") {
    return capture(typicalDesign(name));
}
Design slugger(const std::string& name = "Gnat") {
    return armedTypical(name, 0, 5);
}

// An entry as the count of a design, in play unless said.
using Entry = std::tuple<Design, int, bool>;

Force forceOf(const std::vector<Entry>& entries, int limit, const std::string& name = "") {
    Force f;
    f.setName(name);
    EXPECT_TRUE(f.setLimit(limit));
    for (const auto& [design, count, inPlay] : entries)
        EXPECT_EQ(f.add(design, count, inPlay), "");
    return f;
}

} // namespace

// A design the rules refuse, or a count out of range, is not added, with the reason.
TEST(Force, RefusedEntries) {
    MainModel armour;
    startDesign(armour, {Concord, Tank, Normal});
    const Design unfinished = capture(armour);
    Design foreign = typical("Hulk");
    foreign.weaponSlots[2].weapon = "Hellstorm";
    // A design and its count; the refusal (none: it is added).
    const std::tuple<const char*, Design, int, std::string> cases[] = {
        {"armour not confirmed", unfinished, 1,
         "Its points cannot be calculated before its armor is confirmed."},
        {"weapon of another race", foreign, 1,
         "Slot 3: \"Hellstorm\" is not in the Concord arsenal."},
        {"no vehicle", typical(), 0, "The count must be from 1 to 99."},
        {"one vehicle", typical(), 1, ""},
        {"the most vehicles", typical(), 99, ""},
        {"one past the most", typical(), 100, "The count must be from 1 to 99."},
    };
    for (const auto& [name, design, count, error] : cases) {
        SCOPED_TRACE(name);
        Force f = forceOf({{slugger(), 1, true}}, 0);
        EXPECT_EQ(f.add(design, count), error);
        EXPECT_EQ(f.total(), !error.empty() ? 97 : 97 + 130 * count);
        EXPECT_EQ(f.size(), !error.empty() ? 1u : 2u);
        // Replacing an entry's design refuses the same designs and keeps the entry.
        const std::string replaced = f.replace(0, design);
        EXPECT_EQ(replaced.empty(), design.step == 3 && design.weaponSlots[2].weapon.empty());
        EXPECT_EQ(f.entries()[0].count, 1);
        EXPECT_EQ(f.entries()[0].points, replaced.empty() ? 130 : 97);
    }
}

// The total counts each entry in play times its count; the summary tells it against the
// limit, and the over state in words.
TEST(Force, TotalsAgainstTheLimit) {
    const Entry t1{typical(), 1, true}, t2{typical(), 2, true}, s3{slugger(), 3, true},
        t99{typical(), 99, true}, s99{slugger(), 99, true}, held{typical(), 2, false};
    // The entries, the limit, the points over it and the summary.
    const std::tuple<const char*, std::vector<Entry>, int, std::int64_t, const char*> cases[] = {
        {"one vehicle, no limit", {t1}, 0, 0, "130 points, 1 vehicle"},
        {"counts multiply", {t2, s3}, 1500, 0, "551 of 1,500 points, 5 vehicles"},
        {"passed by one point", {s3, t2}, 550, 1, "551 of 550 points, 5 vehicles: 1 over"},
        {"met exactly", {{typical(), 5, true}}, 650, 0, "650 of 650 points, 5 vehicles"},
        {"out of play counts nothing", {s3, held}, 550, 0, "291 of 550 points, 3 vehicles"},
        {"nothing in play", {{typical(), 4, false}}, 500, 0, "0 of 500 points, 0 vehicles"},
        {"far over", {t99, s99}, 1500, 20973, "22,473 of 1,500 points, 198 vehicles: 20,973 over"},
        {"no entries, no limit", {}, 0, 0, "0 points, 0 vehicles"},
        {"the highest limit", {t1}, 32767, 0, "130 of 32,767 points, 1 vehicle"},
    };
    for (const auto& [name, entries, limit, over, summary] : cases) {
        const Force f = forceOf(entries, limit);
        EXPECT_EQ(f.over(), over) << name;
        EXPECT_EQ(forceSummary(f), summary) << name;
    }
}

// The total is held wide: the dearest design the rules allow, 99 times in each of 100
// entries, is far beyond 16 bits, and an entry at the very top of the 16-bit range, 99
// times, 100 times over, fits as well.
TEST(Force, TotalsNeverOverflow) {
    const Design dearest = capture(fullestDesign(8, "Colossus"));
    Force f;
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(f.add(dearest, 99), "");
    EXPECT_EQ(f.total(), std::int64_t{100} * 99 * price(dearest).points.value());
    EXPECT_EQ(f.vehicles(), 9900);
    const ForceEntry top{f.entries()[0].design, 99, true, 32767};
    EXPECT_EQ(withThousands(100 * top.total()), "324,393,300");
    EXPECT_EQ(withThousands(-32768) + " " + withThousands(999), "-32,768 999");
}

// One list in full: the layout of the columns and the race, type and size under a name.
TEST(Force, ListAsTextInFull) {
    const Force f = forceOf(
        {{typical("Warden"), 2, true}, {slugger("Gnat"), 1, false}, {slugger("Mite"), 3, true}},
        1500, "Strike Group");
    const std::string expected =
        "Strike Group\nLimit: 1,500 points\n\n"
        "#  Name                                               Count   Points       Total\n"
        "1  Warden                                                 2      130         260\n"
        "   Concord, Tank, Normal\n"
        "2  Mite                                                   3       97         291\n"
        "   Concord, Tank, Normal\n\nTotal: 551 of 1,500 points, 5 vehicles: 949 under\n";
    EXPECT_EQ(forceText(f), expected);
    // With the cards: the list, then the text card of each entry in play, in order.
    const std::string cards = forceTextWithCards(f);
    const auto warden = cards.find("Name: Warden   Points: 130");
    const auto mite = cards.find("Name: Mite   Points: 97");
    EXPECT_TRUE(cards.starts_with(expected) && expected.size() <= warden && warden < mite &&
                mite != std::string::npos && cards.find("Gnat") == std::string::npos)
        << cards;
}
