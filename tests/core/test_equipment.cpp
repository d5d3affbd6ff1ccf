#include "drive.h"

using namespace ivc;
using namespace ivc::test;

namespace {

// A count tested against the structure points: refused, it is announced and cleared and its
// box closes; accepted, ticking the box adds its points and locks the list, and unticking
// takes the points off and frees the list again.
// On a Normal hull the Grak box itself refuses more than one field.
TEST(Counts, TransportAndFieldsAreTestedAgainstStructurePoints) {
    const Hull tank{Thrane, Tank, WarMachine}, concordWM{Concord, Tank, WarMachine};
    const std::string troops = "Too many troops/This vehicle can transport at most ",
                      models = " models with its structure points.",
                      shields = "Too many shields/Cannot have more shields than structure points.";
    const std::tuple<Hull, std::string_view, std::string, int, std::string> cases[] = {
        {tank, "", "Transport", 11, "11"},
        {tank, "", "Transport", 12, troops + "11" + models},
        {tank, "lstStructure=3", "Transport", 21, "21"},
        {tank, "lstStructure=3", "Transport", 22, troops + "21" + models},
        {tank, "lstStructure=9", "Transport", 51, "51"},
        {{Veyra, Tank, Small}, "", "VeyraF", 4, "100"},
        {concordWM, "", "ConcordF", 1, shields},
        {concordWM, "lstStructure=3", "ConcordF", 3, "105"},
        {concordWM, "lstStructure=3", "ConcordF", 4, shields},
        {{Grak, Tank, Normal}, "", "GrakF", 1, "15"},
        {{Grak, Tank, Normal}, "", "GrakF", 2, shields},
        {{Grak, Tank, WarMachine}, "lstStructure=5", "GrakF", 5, "75"}};
    for (const auto& [hull, structure, control, count, expected] : cases) {
        const ListRef list = named<ListRef>("lst" + control, allLists()).value();
        const CheckRef box = named<CheckRef>("chk" + control, allChecks()).value();
        SCOPED_TRACE(testing::Message() << control << " " << count);
        MainModel m = design(hull, structure);
        act(m, "lst" + control + "=" + std::to_string(count));
        if (const std::string shown = effects(m); !shown.empty()) {
            EXPECT_EQ(shown, expected);
            EXPECT_FALSE(m.list(list).selected >= 0 || m.check(box).checked ||
                         m.check(box).enabled);
            continue;
        }
        act(m, "chk" + control);
        EXPECT_EQ(std::to_string(m.record().intOptionPts), expected);
        EXPECT_FALSE(m.usable(list)) << "a priced count is locked";
        act(m, "-chk" + control);
        EXPECT_TRUE(m.usable(list) && m.record().intOptionPts == 0);
    }
    // The window cannot leave structure points selected on a Normal hull any more (the reset
    // clears them), so the list is set directly to reach the Grak box's own refusal.
    MainModel m = design({Grak, Walker, Normal});
    m.select(ListId::Structure, 4);
    act(m, "lstGrakF=3; chkGrakF");
    EXPECT_EQ(effects(m), "Too many shields/Too many shields");
    EXPECT_TRUE(!m.check(CheckId::GrakF).checked && m.usable(ListId::GrakF));
    EXPECT_EQ(m.record().intOptionPts, 0);
}

// A new kind starts again from one attack with Ferocious unticked and closed: the number
// list, lblAttacks/lblCCWCost, and whether Ferocious is open.
TEST(CloseCombat, ANewKindStartsAgainFromOneAttack) {
    MainModel m = design({Veyra, Walker, Small}, "lstCCW=CCW; lstCCW=Power Weapon");
    const auto shown = [&m] {
        return m.list(ListId::Attacks).text() + " " + m.caption(LabelId::Attacks) + "/" +
               m.caption(LabelId::CCWCost) + (m.check(CheckId::Ferocious).enabled ? " F" : "");
    };
    EXPECT_EQ(shown(), "0 0/9"); // the number "0" was already shown
    act(m, "lstAttacks=3; chkFerocious; lstCCW=Dread CCW");
    EXPECT_EQ(shown() + (m.check(CheckId::Ferocious).checked ? " ticked" : ""), "0 0/15");
    act(m, "lstCCW=None");
    EXPECT_EQ(shown() + (m.list(ListId::Attacks).enabled ? " open" : ""), "0 0/0");
}

// The price of each close-combat kind as its "Cost" shows it, on a Normal hull / a War
// Machine: Veyra and Concord pay the cheap column.
TEST(CloseCombat, EveryKindPricedForEveryRace) {
    const std::string cheap = "3 9 15/30", dear = "4 12 20/40";
    const std::pair<int, std::string> cases[] = {
        {Bastion, dear},   {DarkVeyra, dear}, {Veyra, cheap}, {Concord, cheap},
        {Forgeborn, dear}, {Grak, dear},      {Thrane, dear}, {Blight, dear}};
    for (const auto& [race, expected] : cases) {
        std::string read;
        for (const int size : {Normal, WarMachine}) {
            MainModel m = design({race, Tank, size});
            for (int row = 1; row < std::ssize(m.list(ListId::CCW).rows); ++row) {
                m.select(ListId::CCW, row);
                read += (row > 1 ? " " : size == Normal ? "" : "/") + m.caption(LabelId::CCWCost);
            }
        }
        EXPECT_EQ(read, expected) << raceInfo(race)->name;
    }
}

// Each race's energy field, and Souped-up Engines among eight entries, as the card lists
// them after "Fully Armored". (The reset's clearing of them is in the reset's own table.)
TEST(SpecialLines, EachFieldOnTheCard) {
    const Hull bastion{Bastion, Walker, WarMachine};
    const std::tuple<std::string_view, Hull, std::string_view, std::string_view> cases[] = {
        {"Concord", {Concord, Tank, WarMachine}, "lstStructure=3; lstConcordF=2", "2 Ward Shields"},
        {"Bastion", bastion, "lstStructure=2; lstConcordF=1", "1 Ward Shields"},
        {"Veyra", {Veyra, Immobile, Small}, "chkCarriage; lstVeyraF=2", "2 Veyra Fields/Carriage"},
        {"Dark Veyra", {DarkVeyra, Tank, Normal}, "lstVeyraF=4", "4 Veyra Fields"},
        {"Grak", {Grak, Tank, Normal}, "lstGrakF=1", "1 Grak Shields"},
        {"Souped-up among eight",
         {Bastion, Tank, WarMachine},
         "chkTow; chkAmphib; chkRecovery; chkLander; chkSkimmer; chkWrecker; chkTunneller; "
         "lstStructure=3; lstConcordF=2; chkSouped",
         "Amphibious/Orbital Lander/Recovery Vehicle/Tunneller/Wrecker/Skimmer/2 Ward Shields, Tow "
         "Bar"}};
    for (const auto& [name, hull, script, expected] : cases) {
        SCOPED_TRACE(name);
        MainModel m = design(hull, script);
        // The field's own box, ticked last, after its count.
        for (const char* box : {"chkConcordF", "chkVeyraF", "chkGrakF"})
            if (m.usable(*named<CheckRef>(box, allChecks())))
                act(m, box);
        std::string lines;
        for (const std::string& line : makeCard(m).special)
            lines += line.empty() ? "" : (lines.empty() ? "" : "/") + line;
        EXPECT_EQ(lines, "Fully Armored/" + std::string(expected));
    }
}

} // namespace
