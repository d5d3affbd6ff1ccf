#include "drive.h"

#include <gtest/gtest.h>

using namespace ivc;
using namespace ivc::test;

namespace {

// After "&Next" a slot holds the race's rows, a Flyer's munitions after them, nothing
// selected; and every row a list can show is priced by the same row of the race's list, so
// a text found at different rows by race is priced by its own race's row.
TEST(PriceLookup, PricesEveryRowOfEveryRaceAndFlyer) {
    const std::size_t arsenalRows[] = {26, 10, 15, 26, 26, 11, 5, 32};
    for (int race = Bastion; race <= Blight; ++race) {
        for (int type : {Tank, Flyer}) {
            SCOPED_TRACE(testing::Message() << "race " << race << " type " << type);
            MainModel m;
            startDesign(m, {race, type, Normal});
            const ListState& first = m.list({ListId::Wpn1, 0});
            EXPECT_EQ(first.rows.size(), arsenalRows[race - 1] + (type == Flyer ? 5 : 0));
            for (std::size_t r = 0; r < first.rows.size(); ++r) {
                const auto price = priceLookup(race, static_cast<int>(r));
                ASSERT_TRUE(price.has_value()) << "row " << r;
                EXPECT_EQ(price->text, first.rows[r]);
                EXPECT_TRUE(!price->text.empty() && price->wpnClass >= 0 && price->wpnClass <= 4)
                    << "row " << r;
            }
        }
    }
}

} // namespace
