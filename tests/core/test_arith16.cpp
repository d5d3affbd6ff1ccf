#include "core/arith16.h"

#include <gtest/gtest.h>

using namespace ivc;

TEST(Arith16, RoundsHalvesToEven) {
    EXPECT_EQ(roundEven16(12.5), 12);
    EXPECT_EQ(roundEven16(82.5), 82);
    EXPECT_EQ(roundEven16(-7.5), -8);
    EXPECT_EQ(roundEven16(-2.5), -2);
    EXPECT_EQ(roundEven16(7.5), 8);
    EXPECT_EQ(roundEven16(3.5), 4);
}

TEST(Arith16, RefusesResultsOutsideSixteenBits) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_THROW(add16(32767, 1), Overflow16);
    EXPECT_THROW(sub16(-32768, 1), Overflow16);
    EXPECT_EQ(mul16(-128, 256), -32768);
    EXPECT_THROW(mul16(256, 128), Overflow16);
    EXPECT_THROW(roundEven16(32767.5), Overflow16);
    EXPECT_EQ(roundEven16(-32768.4), -32768);
}
