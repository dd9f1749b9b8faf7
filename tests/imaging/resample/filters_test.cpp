#include "imaging/resample/filters.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "base/numeric.hpp"
#include "imaging/resample/quick_rounding.hpp"
#include "imaging/resample/quick_sine.hpp"

namespace velmora {
namespace {

std::string seven_decimals(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7f", static_cast<double>(value));
    return text;
}

TEST(Filters, TableHoldsTheSevenKernelsInOrder) {
    ASSERT_EQ(FilterTable.size(), 7u);
    const struct {
        const char* name;
        TFilterProc filter;
        float width;
    } expected[] = {{"Box", BoxKernel, 0.5f},          {"Triangle", TriangleKernel, 1.0f},
                    {"Hermite", HermiteKernel, 1.0f},  {"Bell", BellKernel, 1.5f},
                    {"B-Spline", BSplineKernel, 2.0f}, {"Lanczos3", Lanczos3Kernel, 3.0f},
                    {"Mitchell", MitchellKernel, 2.0f}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(FilterTable[i].Name, expected[i].name) << i;
        EXPECT_EQ(FilterTable[i].Filter, expected[i].filter) << i;
        EXPECT_EQ(FilterTable[i].Width, expected[i].width) << i;
    }
}

// Looked up by name while compiling: the entries the names give, first and last included.
static_assert(&filter_named("Lanczos3") == &FilterTable[5]);
static_assert(filter_named("Lanczos3").Filter == Lanczos3Kernel && filter_named("Lanczos3").Width == 3.0f);
static_assert(&filter_named("Box") == &FilterTable[0]);
static_assert(&filter_named("Mitchell") == &FilterTable[6]);

TEST(Filters, ValuesAtTheTablePoints) {
    // Columns: x, then Box, Triangle, Hermite, Bell, B-Spline, Lanczos3, Mitchell, as seven decimals.
    const struct {
        float x;
        const char* values[7];
    } rows[] = {
        {0.0f, {"1.0000000", "1.0000000", "1.0000000", "0.7500000", "0.6666667", "1.0000000", "0.8888889"}},
        {0.25f, {"1.0000000", "0.7500000", "0.8437500", "0.6875000", "0.6119792", "0.8900670", "0.7821181"}},
        {0.5f, {"1.0000000", "0.5000000", "0.5000000", "0.5000000", "0.4791667", "0.6079271", "0.5347222"}},
        {-0.5f, {"0.0000000", "0.5000000", "0.5000000", "0.5000000", "0.4791667", "0.6079271", "0.5347222"}},
        {1.0f, {"0.0000000", "0.0000000", "0.0000000", "0.1250000", "0.1666667", "-0.0000000", "0.0555556"}},
        {1.5f, {"0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0208333", "-0.1350949", "-0.0347222"}},
        {2.0f, {"0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0000000"}},
        {3.0f, {"0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0000000", "0.0000000"}},
    };
    for (const auto& row : rows) {
        for (std::size_t k = 0; k < 7; ++k) {
            EXPECT_EQ(seven_decimals(FilterTable[k].Filter(row.x)), row.values[k])
                << FilterTable[k].Name << " at " << row.x;
        }
    }
    // The points that are exact in single precision are exact.
    EXPECT_EQ(HermiteKernel(0.25f), 0.84375f);
    EXPECT_EQ(BellKernel(1.0f), 0.125f);
    EXPECT_EQ(BellKernel(0.25f), 0.6875f);
    EXPECT_EQ(TriangleKernel(-0.25f), 0.75f);
}

TEST(Filters, LanczosIsNotZeroAtWholeNumbersBecauseItsPhaseIsRoundedFirst) {
    EXPECT_LT(SincPi(1.0f), 0.0f);
    EXPECT_NEAR(SincPi(1.0f), -2.78e-8f, 0.05e-8f);
    EXPECT_LT(Lanczos3Kernel(1.0f), 0.0f);
    EXPECT_NEAR(Lanczos3Kernel(1.0f), -2.3e-8f, 0.1e-8f);
    EXPECT_GT(Lanczos3Kernel(2.0f), 0.0f);
    EXPECT_NEAR(Lanczos3Kernel(2.0f), 1.15e-8f, 0.05e-8f);
    EXPECT_EQ(Lanczos3Kernel(-2.0f), Lanczos3Kernel(2.0f));
    EXPECT_EQ(SincPi(0.0f), 1.0f);
    EXPECT_EQ(SincPi(-0.0f), 1.0f);
}

TEST(Filters, BoundsAndSymmetry) {
    // The box includes +0.5 and excludes -0.5; every other kernel is symmetric and 0 from its width on.
    EXPECT_EQ(BoxKernel(0.5f), 1.0f);
    EXPECT_EQ(BoxKernel(-0.5f), 0.0f);
    EXPECT_EQ(BoxKernel(std::nextafter(-0.5f, 0.0f)), 1.0f);
    EXPECT_EQ(BoxKernel(std::nextafter(0.5f, 1.0f)), 0.0f);
    for (std::size_t k = 1; k < FilterTable.size(); ++k) {
        const FilterRecord& record = FilterTable[k];
        EXPECT_EQ(record.Filter(record.Width), 0.0f) << record.Name;
        EXPECT_EQ(record.Filter(-record.Width), 0.0f) << record.Name;
        EXPECT_EQ(record.Filter(100.0f), 0.0f) << record.Name;
        EXPECT_NE(record.Filter(std::nextafter(record.Width, 0.0f)), 0.0f) << record.Name;
        for (float x = 0.0f; x < record.Width; x += 0.0625f) {
            EXPECT_EQ(record.Filter(x), record.Filter(-x)) << record.Name << " at " << x;
        }
    }
}

TEST(Filters, PiecewiseKernelsSumToOneAtWholeNumberSpacing) {
    EXPECT_NEAR(BSplineKernel(0.0f) + 2 * BSplineKernel(1.0f), 1.0f, 1e-7f);
    EXPECT_NEAR(MitchellKernel(0.0f) + 2 * MitchellKernel(1.0f), 1.0f, 1e-7f);
    EXPECT_EQ(BellKernel(0.0f) + 2 * BellKernel(1.0f), 1.0f);
}

// SincPi and Lanczos3Kernel written out with every step at extended precision, rounded to single at the
// argument times pi, at each quotient and at the product.
float extended_sinc_pi(float x) {
    if (x == 0.0f) return 1.0f;
    const Extended p = to_single(3.14159265358979323846264338327950288L * x);
    return to_single(divide(std::sin(p), p));
}

float extended_lanczos3(float x) {
    const Extended a = std::fabs(x);
    if (a >= 3) return 0.0f;
    return to_single(static_cast<Extended>(extended_sinc_pi(static_cast<float>(a))) *
                     extended_sinc_pi(to_single(a / 3)));
}

TEST(Filters, LanczosQuickPathsGiveTheExtendedResult) {
    // Every 613th float from 2^-40 to 3, and the whole numbers with their neighbours.
    std::uint32_t from = 0, to = 0;
    const float low = 0x1p-40f, high = 3.0f;
    std::memcpy(&from, &low, 4);
    std::memcpy(&to, &high, 4);
    int checked = 0;
    for (std::uint32_t bits = from; bits < to; bits += 613) {
        float x = 0;
        std::memcpy(&x, &bits, 4);
        ASSERT_EQ(SincPi(x), extended_sinc_pi(x)) << x;
        ASSERT_EQ(Lanczos3Kernel(x), extended_lanczos3(x)) << x;
        ++checked;
    }
    EXPECT_GT(checked, 300000);
    for (const float whole : {0.0f, 1.0f, 2.0f, 3.0f}) {
        for (const float x : {std::nextafter(whole, 0.0f), whole, std::nextafter(whole, 4.0f)}) {
            EXPECT_EQ(SincPi(x), extended_sinc_pi(x)) << x;
            EXPECT_EQ(Lanczos3Kernel(x), extended_lanczos3(x)) << x;
        }
    }
}

// The sine at extended precision, reduced here by the nearest multiple of pi: pi as a head of 41 bits,
// whose multiples up to 3 are exact, and a tail. The library's sine of a long double may reduce by a
// pi of 66 bits (the x87's), which next to its multiples is off by far more than the quick sine.
Extended extended_sine(float x) {
    constexpr Extended kPiHead = 0x1.921fb54442p+1L;
    constexpr Extended kPiTail = 0xd.18469898cc51702p-43L;
    const Extended magnitude = std::fabs(static_cast<Extended>(x));
    const int k = static_cast<int>(magnitude / (kPiHead + kPiTail) + 0.5L);
    const Extended sine = std::sin((magnitude - k * kPiHead) - k * kPiTail);
    return (x < 0) != (k % 2 == 1) ? -sine : sine;
}

// The quick sine at singles of both signs from 2^-30 to its limit, and at the singles next to each
// multiple of pi/2 (where the reduction leaves least), against the extended sine; beyond the limit it is
// the library's sine.
TEST(Filters, QuickSineKeepsWithinItsBound) {
    const auto check = [](float x) {
        const Extended exact = extended_sine(x);
        return std::fabs((static_cast<Extended>(quick_sine(x)) - exact) / exact) <= 0x1p-51L;
    };
    std::uint32_t from = 0, to = 0;
    const float low = 0x1p-30f, high = static_cast<float>(kQuickSineLimit);
    std::memcpy(&from, &low, 4);
    std::memcpy(&to, &high, 4);
    for (std::uint32_t bits = from; bits <= to; bits += 211) {
        float x = 0;
        std::memcpy(&x, &bits, 4);
        ASSERT_TRUE(check(x)) << x;
        ASSERT_TRUE(check(-x)) << -x;
    }
    for (int n = 1; n <= 6; ++n) {
        float x = static_cast<float>(n * 1.57079632679489661923L);
        for (int step = 0; step < 3; ++step) x = std::nextafter(x, 0.0f);
        for (int step = 0; step < 7; ++step, x = std::nextafter(x, 20.0f)) ASSERT_TRUE(check(x)) << x;
    }
    EXPECT_TRUE(check(high));
    EXPECT_EQ(quick_sine(0.0f), 0.0);
    EXPECT_EQ(quick_sine(10.5f), std::sin(10.5));
    EXPECT_EQ(quick_sine(-1e6f), std::sin(-1e6));
}

TEST(Filters, QuickRoundingDeclinesWhatItCannotTell) {
    float single = 0;
    EXPECT_TRUE(single_if_clear(0.1, single));
    EXPECT_EQ(single, 0.1f);
    // Half-way between 1 and the next single, and a hair either side of it: too close to tell.
    const double half_way = 1.0 + 0x1p-24;
    EXPECT_FALSE(single_if_clear(half_way, single));
    EXPECT_FALSE(single_if_clear(half_way + 0x1p-50, single));
    EXPECT_FALSE(single_if_clear(half_way - 0x1p-50, single));
    EXPECT_TRUE(single_if_clear(half_way + 0x1p-40, single));
    EXPECT_EQ(single, std::nextafter(1.0f, 2.0f));
    // Beyond the single range the extended form must raise its overflow; no number is no number.
    EXPECT_FALSE(single_if_clear(1e39, single));
    EXPECT_FALSE(single_if_clear(std::numeric_limits<double>::quiet_NaN(), single));
    EXPECT_FALSE(single_if_clear(std::numeric_limits<double>::infinity(), single));
}

}  // namespace
}  // namespace velmora
