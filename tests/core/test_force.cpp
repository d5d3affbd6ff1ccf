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

struct Entry {
    Design design;
    int count;
    bool inPlay = true;
};

Force forceOf(const std::vector<Entry>& entries, int limit, const std::string& name = "") {
    Force f;
    f.setName(name);
    EXPECT_TRUE(f.setLimit(limit));
    for (const Entry& e : entries)
        EXPECT_EQ(f.add(e.design, e.count, e.inPlay), "");
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
    struct Case {
        const char* name;
        Design design;
        int count;
        const char* error; // empty: added
    } const cases[] = {
        {"armour not confirmed", unfinished, 1,
         "Its points cannot be calculated before its armor is confirmed."},
        {"weapon of another race", foreign, 1,
         "Slot 3: \"Hellstorm\" is not in the Concord arsenal."},
        {"no vehicle", typical(), 0, "The count must be from 1 to 99."},
        {"one vehicle", typical(), 1, ""},
        {"the most vehicles", typical(), 99, ""},
        {"one past the most", typical(), 100, "The count must be from 1 to 99."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Force f = forceOf({{slugger(), 1}}, 0);
        EXPECT_EQ(f.add(c.design, c.count), c.error);
        EXPECT_EQ(f.total(), *c.error != '\0' ? 97 : 97 + 130 * c.count);
        EXPECT_EQ(f.size(), *c.error != '\0' ? 1u : 2u);
        // Replacing an entry's design refuses the same designs and keeps the entry.
        const std::string replaced = f.replace(0, c.design);
        EXPECT_EQ(replaced.empty(), c.design.step == 3 && c.design.weaponSlots[2].weapon.empty());
        EXPECT_EQ(f.entries()[0].count, 1);
        EXPECT_EQ(f.entries()[0].points, replaced.empty() ? 130 : 97);
    }
}

// The total counts each entry in play times its count; the summary tells it against the
// limit, and the over state in words.
TEST(Force, TotalsAgainstTheLimit) {
    const Entry t1{typical(), 1}, t2{typical(), 2}, t5{typical(), 5}, s3{slugger(), 3};
    struct Case {
        const char* name;
        std::vector<Entry> entries;
        int limit;
        std::int64_t over;
        const char* summary;
    } const cases[] = {
        {"one vehicle, no limit", {t1}, 0, 0, "130 points, 1 vehicle"},
        {"counts multiply", {t2, s3}, 1500, 0, "551 of 1,500 points, 5 vehicles"},
        {"the limit passed by one point",
         {s3, t2},
         550,
         1,
         "551 of 550 points, 5 vehicles: 1 over"},
        {"the limit met exactly", {t5}, 650, 0, "650 of 650 points, 5 vehicles"},
        {"out of play counts nothing",
         {s3, {typical(), 2, false}},
         550,
         0,
         "291 of 550 points, 3 vehicles"},
        {"nothing in play", {{typical(), 4, false}}, 500, 0, "0 of 500 points, 0 vehicles"},
        {"thousands, far over",
         {{typical(), 99}, {slugger(), 99}},
         1500,
         20973,
         "22,473 of 1,500 points, 198 vehicles: 20,973 over"},
        {"no entries, no limit", {}, 0, 0, "0 points, 0 vehicles"},
        {"the highest limit", {t1}, 32767, 0, "130 of 32,767 points, 1 vehicle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Force f = forceOf(c.entries, c.limit);
        EXPECT_EQ(f.over(), c.over);
        EXPECT_EQ(forceSummary(f), c.summary);
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
    const Force f =
        forceOf({{typical("Warden"), 2}, {slugger("Gnat"), 1, false}, {slugger("Mite"), 3}}, 1500,
                "Strike Group");
    const std::string expected =
        "Strike Group\n"
        "Limit: 1,500 points\n"
        "\n"
        "#  Name                                               Count   Points       Total\n"
        "1  Warden                                                 2      130         260\n"
        "   Concord, Tank, Normal\n"
        "2  Mite                                                   3       97         291\n"
        "   Concord, Tank, Normal\n"
        "\n"
        "Total: 551 of 1,500 points, 5 vehicles: 949 under\n";
    EXPECT_EQ(forceText(f), expected);
    // With the cards: the list, then the text card of each entry in play, in order.
    const std::string withCards = forceTextWithCards(f);
    EXPECT_EQ(withCards.substr(0, expected.size()), expected);
    const std::size_t warden = withCards.find("Name: Warden   Points: 130");
    const std::size_t mite = withCards.find("Name: Mite   Points: 97");
    EXPECT_NE(warden, std::string::npos);
    EXPECT_LT(warden, mite);
    EXPECT_NE(mite, std::string::npos);
    EXPECT_EQ(withCards.find("Gnat"), std::string::npos);
}
