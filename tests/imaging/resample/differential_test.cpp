// The fast loops against the reference loop, byte for byte, over random pictures, sizes and kernels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/error.hpp"
#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loops.hpp"

namespace velmora {
namespace {

// Smooth areas, hard edges and noise, so that sums land everywhere from below 0 to above 255.
Picture random_picture(std::mt19937& random, int width, int height) {
    Picture picture;
    picture.set_size(width, height);
    std::uniform_int_distribution<int> byte(0, 255);
    const int style = byte(random) % 3;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < 3 * width; ++x) {
            switch (style) {
                case 0:
                    row[x] = static_cast<std::uint8_t>(byte(random));
                    break;
                case 1:
                    row[x] = ((x / 3 + y) / 3) % 2 ? 255 : 0;
                    break;
                default:
                    row[x] = static_cast<std::uint8_t>((x * 7 + y * 13) % 256 ^ (byte(random) & 7));
                    break;
            }
        }
    }
    return picture;
}

int random_length(std::mt19937& random) {
    // Edges of one and two pixels, a width of one vector of rows and around it, and larger ones.
    static const int kSpecial[] = {1, 2, 3, 5, 15, 16, 17, 21, 32, 33};
    std::uniform_int_distribution<int> pick(0, 2);
    if (pick(random) == 0) return kSpecial[random() % std::size(kSpecial)];
    return std::uniform_int_distribution<int>(2, 180)(random);
}

std::string describe(const Picture& source, const Picture& destination, const FilterRecord& filter) {
    return std::string(filter.Name) + " " + std::to_string(source.width()) + "x" +
           std::to_string(source.height()) + " -> " + std::to_string(destination.width()) + "x" +
           std::to_string(destination.height());
}

bool same_pixels(const Picture& a, const Picture& b) {
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.scanline(y), b.scanline(y), 3 * static_cast<std::size_t>(a.width())) != 0)
            return false;
    }
    return true;
}

// Runs both loops on copies of one source into fresh destinations of one size; both must succeed or
// fail alike, and on success give the same bytes.
void compare(const PixelLoops& fast, const Picture& source, int width, int height,
             const FilterRecord& filter) {
    Picture expected_source = source, fast_source = source, expected, result;
    expected.set_size(width, height);
    result.set_size(width, height);
    std::string expected_error, fast_error;
    try {
        resample_picture_with(reference_pixel_loops(), expected_source, expected, filter.Filter,
                              filter.Width);
    } catch (const Error& error) {
        expected_error = error.what();
    }
    try {
        resample_picture_with(fast, fast_source, result, filter.Filter, filter.Width);
    } catch (const Error& error) {
        fast_error = error.what();
    }
    ASSERT_EQ(expected_error, fast_error) << describe(source, result, filter);
    if (expected_error.empty()) {
        EXPECT_TRUE(same_pixels(expected, result)) << describe(source, result, filter);
    }
}

// Weights so far apart in size that the fused sum may not be exact: many lists then take the reference
// arithmetic inside the fast loop, mixed with lists that do not.
float SpreadKernel(float value) {
    const float a = std::fabs(value);
    if (a >= 2.0f) return 0.0f;
    if (a > 1.5f) return 0x1p-80f * (2.0f - a);
    return Lanczos3Kernel(a);
}

void run_differential(const PixelLoops& fast, unsigned seed) {
    std::mt19937 random(seed);
    for (int round = 0; round < 60; ++round) {
        const Picture source = random_picture(random, random_length(random), random_length(random));
        const int width = random_length(random), height = random_length(random);
        for (const FilterRecord& filter : FilterTable) {
            compare(fast, source, width, height, filter);
            if (::testing::Test::HasFailure()) return;
        }
        compare(fast, source, width, height, {"Spread", SpreadKernel, 2.0f});
    }
}

TEST(ResampleDifferential, Avx2LoopGivesTheReferenceBytes) {
    const PixelLoops* loops = avx2_pixel_loops();
    if (loops == nullptr) GTEST_SKIP() << "no AVX2 and FMA on this processor";
    run_differential(*loops, 2);
}

TEST(ResampleDifferential, Avx512LoopGivesTheReferenceBytes) {
    const PixelLoops* loops = avx512_pixel_loops();
    if (loops == nullptr) GTEST_SKIP() << "no AVX-512 on this processor";
    run_differential(*loops, 512);
}

}  // namespace
}  // namespace velmora
