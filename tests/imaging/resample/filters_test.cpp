#include "imaging/resample/filters.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

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

}  // namespace
}  // namespace velmora
