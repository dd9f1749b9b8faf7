#include "base/numeric.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/error.hpp"

namespace velmora {
namespace {

void expect_error(const auto& action, const char* message) {
    try {
        action();
        ADD_FAILURE() << "expected the error \"" << message << "\"";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), message);
    }
}

TEST(Numeric, RoundsHalvesToEvenAndEverythingElseToNearest) {
    EXPECT_EQ(round_half_even(2.5L), 2);
    EXPECT_EQ(round_half_even(3.5L), 4);
    EXPECT_EQ(round_half_even(-2.5L), -2);
    EXPECT_EQ(round_half_even(-3.5L), -4);
    EXPECT_EQ(round_half_even(600.5L), 600);
    EXPECT_EQ(round_half_even(601.5L), 602);
    EXPECT_EQ(round_half_even(2.5000000001L), 3);
    EXPECT_EQ(round_half_even(2.4999999999L), 2);
    EXPECT_EQ(round_half_even(0.0L), 0);
    EXPECT_EQ(round_half_even(2147483647.4L), 2147483647);
    EXPECT_EQ(round_half_even(-2147483648.0L), -2147483647 - 1);
}

TEST(Numeric, FloorCeilAndTruncGoTheirWays) {
    EXPECT_EQ(floor_to_int(-0.5L), -1);
    EXPECT_EQ(ceil_to_int(-0.5L), 0);
    EXPECT_EQ(trunc_to_int(-1.9L), -1);
    EXPECT_EQ(floor_to_int(12.999L), 12);
    EXPECT_EQ(ceil_to_int(12.001L), 13);
    EXPECT_EQ(trunc_to_int(25.9L), 25);
    // Values whose nearest double lies across the whole number.
    EXPECT_EQ(floor_to_int(3.0L - 0x1p-60L), 2);
    EXPECT_EQ(ceil_to_int(3.0L + 0x1p-60L), 4);
    EXPECT_EQ(floor_to_int(-0x1p-70L), -1);
    EXPECT_EQ(ceil_to_int(-3.0L - 0x1p-60L), -3);
    EXPECT_EQ(round_half_even(2.5L - 0x1p-62L), 2);
    EXPECT_EQ(floor_to_int(2147483647.9999L), 2147483647);
    EXPECT_EQ(ceil_to_int(-2147483648.5L), -2147483647 - 1);
}

TEST(Numeric, ConversionsOutsideTheIntegerRangeAreInvalidOperations) {
    expect_error([] { round_half_even(2147483647.5L); }, "Invalid floating point operation");
    expect_error([] { floor_to_int(-2147483649.0L); }, "Invalid floating point operation");
    expect_error([] { floor_to_int(2147483648.0L); }, "Invalid floating point operation");
    expect_error([] { ceil_to_int(-2147483648.5L - 1); }, "Invalid floating point operation");
    expect_error([] { floor_to_int(std::numeric_limits<Extended>::quiet_NaN()); },
                 "Invalid floating point operation");
    expect_error([] { ceil_to_int(std::numeric_limits<Extended>::infinity()); },
                 "Invalid floating point operation");
    expect_error([] { trunc_to_int(std::numeric_limits<Extended>::quiet_NaN()); },
                 "Invalid floating point operation");
}

TEST(Numeric, DivisionRaisesTheProcessorsThreeErrors) {
    EXPECT_EQ(divide(3.0L, 1.5L), 2.0L);
    expect_error([] { divide(3.0L, 0.0L); }, "Floating point division by zero");
    expect_error([] { divide(0.0L, 0.0L); }, "Invalid floating point operation");
    expect_error([] { divide(std::numeric_limits<Extended>::max(), 0.5L); }, "Floating point overflow");
}

TEST(Numeric, RoundingToSingleIsToNearestAndOverflowIsAnError) {
    EXPECT_EQ(to_single(1.0L / 3.0L), 1.0f / 3.0f);
    // 1 + 2^-24 lies exactly between two singles: the even one, 1.0, wins.
    EXPECT_EQ(to_single(1.0L + std::ldexp(1.0L, -24)), 1.0f);
    EXPECT_EQ(to_single(1.0L + std::ldexp(1.0L, -24) + std::ldexp(1.0L, -60)), 1.0f + std::ldexp(1.0f, -23));
    expect_error([] { to_single(1e39L); }, "Floating point overflow");
    expect_error([] { to_single(std::numeric_limits<Extended>::quiet_NaN()); },
                 "Invalid floating point operation");
}

}  // namespace
}  // namespace velmora
