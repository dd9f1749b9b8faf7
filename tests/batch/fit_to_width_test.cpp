#include "batch/fit_to_width.hpp"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(FitToWidth, OnlyWiderPicturesAreScaled) {
    EXPECT_TRUE(needs_scaling(801, 800));
    EXPECT_FALSE(needs_scaling(800, 800));
    EXPECT_FALSE(needs_scaling(20, 800));
    EXPECT_FALSE(needs_scaling(0, 800));
}

TEST(FitToWidth, ScaledSizesKeepTheAspectRatio) {
    EXPECT_EQ(scaled_size(4032, 3024, 800), (PictureSize{800, 600}));
    EXPECT_EQ(scaled_size(3000, 2000, 800), (PictureSize{800, 533}));
    EXPECT_EQ(scaled_size(1000, 20000, 800), (PictureSize{800, 16000}));
    EXPECT_EQ(scaled_size(4000, 3000, 1), (PictureSize{1, 1}));
    EXPECT_EQ(scaled_size(3000, 1, 800), (PictureSize{800, 0}));
}

TEST(FitToWidth, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(scaled_size(1600, 1201, 800), (PictureSize{800, 600}));    // 600.5
    EXPECT_EQ(scaled_size(1600, 1203, 800), (PictureSize{800, 602}));    // 601.5
    EXPECT_EQ(scaled_size(4000, 3002, 1000), (PictureSize{1000, 750}));  // 750.5
}

TEST(FitToWidth, TheStoredScaleFactorDecidesAnApparentHalf) {
    // 5 / 6 stored as a double lies just above 5 / 6, so 3 x s lies just above 2.5.
    EXPECT_GT(static_cast<long double>(scale_factor(5, 6)), 5.0L / 6.0L);
    EXPECT_EQ(scaled_size(6, 3, 5), (PictureSize{5, 3}));
    // The width always comes out as the target, also where s is inexact.
    for (int width = 801; width < 1400; ++width) EXPECT_EQ(scaled_size(width, 7, 800).width, 800) << width;
}

}  // namespace
}  // namespace velmora
