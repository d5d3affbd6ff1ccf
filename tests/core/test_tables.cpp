#include "drive.h"

#include <gtest/gtest.h>

using namespace ivc;
using namespace ivc::test;

namespace {

// After "&Next" every slot holds the race's rows, a Flyer's munitions after them, nothing
// selected; and every row a list can show is priced by the same row of the race's list.
TEST(PriceLookup, PricesEveryRowOfEveryRaceAndFlyer) {
    const std::size_t arsenalRows[] = {26, 10, 15, 26, 26, 11, 5, 32};
    for (int race = Bastion; race <= Blight; ++race) {
        for (int type : {Tank, Flyer}) {
            SCOPED_TRACE(testing::Message() << "race " << race << " type " << type);
            MainModel m;
            startDesign(m, {race, type, Normal});
            const ListState& first = m.list({ListId::Wpn1, 0});
            const auto& rows = first.rows;
            EXPECT_EQ(rows.size(), arsenalRows[race - 1] + (type == Flyer ? 5 : 0));
            for (int s = 0; s < kSlots; ++s)
                EXPECT_EQ(m.list({ListId::Wpn1, s}), first) << "slot " << s;
            EXPECT_EQ(first.selected, -1);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                const auto price = priceLookup(race, static_cast<int>(r));
                ASSERT_TRUE(price.has_value()) << "row " << r;
                EXPECT_EQ(price->text, rows[r]);
                EXPECT_TRUE(price->wpnClass >= 0 && price->wpnClass <= 4) << rows[r];
            }
        }
    }
}

struct PriceCase {
    int race, row;
    std::string_view text;
    int cost, wpnClass, targeter;
};

// Same texts, different rows and prices by race.
TEST(PriceLookup, LooksUpByRaceAndRow) {
    const PriceCase cases[] = {{Bastion, 1, "Rotary Cannon", 35, 4, 0},
                               {Forgeborn, 1, "Rotary Cannon", 35, 4, 0},
                               {Blight, 1, "Rotary Cannon", 35, 4, 0},
                               {Concord, 1, "Rotary Cannon", 25, 4, 10},
                               {Bastion, 17, "Rocket Pod", 25, 4, 0},
                               {Concord, 17, "Rocket Pod", 20, 4, 5},
                               {Blight, 22, "Rocket Pod", 25, 4, 0},
                               {Veyra, 2, "Rocket Pod", 25, 4, 10},
                               {Bastion, 14, "Beam Cannon", 35, 4, 0},
                               {Blight, 19, "Beam Cannon", 35, 4, 0},
                               {Concord, 24, "Penetrator Cannon", 50, 2, 5},
                               {Concord, 3, "Carbine", 3, 1, 0},
                               {Veyra, 7, "Disc Cannon", 20, 4, 5},
                               {Veyra, 14, "Resonance Cannon", 40, 4, 0},
                               {DarkVeyra, 4, "Unmaker Cannon", 45, 4, 0},
                               {Grak, 5, "Boomtube", 15, 4, 0},
                               {Thrane, 2, "Atomizer Carbine", 8, 4, 0},
                               {Concord, 30, "Big Smart Bomb", 30, 0, 0},
                               {Thrane, 7, "Rocket", 10, 0, 0},
                               {Blight, 35, "Smart Bomb", 8, 0, 0},
                               {Grak, 12, "Big Bomb", 20, 0, 0},
                               {0, 0, "None", 0, 0, 0}};
    for (const PriceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "race " << c.race << " row " << c.row);
        const auto price = priceLookup(c.race, c.row);
        ASSERT_TRUE(price.has_value());
        EXPECT_EQ(price->text, c.text);
        EXPECT_EQ(price->cost, c.cost);
        EXPECT_EQ(price->wpnClass, c.wpnClass);
        EXPECT_EQ(price->targeter, c.targeter);
    }
}

} // namespace
