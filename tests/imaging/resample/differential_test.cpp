// Every loop, fed whole pictures or rows in blocks of any size, against the two passes written out over
// whole pictures with the reference arithmetic, byte for byte, over random pictures, sizes and kernels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/error.hpp"
#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/reference_loop.hpp"
#include "imaging/resample/resampler.hpp"
#include "imaging/resample/row_resampler.hpp"
#include "imaging/resample/tap_lists.hpp"

namespace velmora {
namespace {

// The two passes written out literally: a work picture of the destination's width and the source's height,
// filled row by row, then the destination filled column by column from it.
void literal_resample(const Picture& source, Picture& destination, const FilterRecord& filter) {
    const int width = destination.width(), height = destination.height();
    if (source.width() < 1 || source.height() < 1) throw Error("Source bitmap too small");
    Picture work;
    work.set_size(width, source.height());
    {
        const TapLists columns =
            build_tap_lists(reference_pixel_loops(), filter.Filter, filter.Width, source.width(), width,
                            resample_scale(source.width(), width));
        for (int k = 0; k < source.height(); ++k) {
            for (int i = 0; i < width; ++i) {
                filter_pixel_exact(columns[static_cast<std::size_t>(i)], source.scanline(k), 3,
                                   work.scanline(k) + 3 * i);
            }
        }
    }
    const TapLists rows = build_tap_lists(reference_pixel_loops(), filter.Filter, filter.Width,
                                          source.height(), height, resample_scale(source.height(), height));
    const Picture& finished = work;
    const std::ptrdiff_t work_step = finished.scanline(1) - finished.scanline(0);
    std::uint8_t* out = destination.scanline(0);
    const std::ptrdiff_t out_step = destination.scanline(1) - out;
    for (int x = 0; x < width; ++x) {
        for (int i = 0; i < height; ++i) {
            filter_pixel_exact(rows[static_cast<std::size_t>(i)], finished.scanline(0) + 3 * x, work_step,
                               out + i * out_step + 3 * x);
        }
    }
}

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

// Resamples with `loops` into a fresh destination: through ResamplePicture when `block` is 0, else by
// rows handed to a RowResampler in blocks of random sizes up to `block`. Returns the error, if any.
std::string resample_into(const PixelLoops& loops, const Picture& source, Picture& result,
                          const FilterRecord& filter, int block, std::mt19937& random) {
    Picture from = source;
    try {
        if (block == 0) {
            resample_picture_with(loops, from, result, filter.Filter, filter.Width);
            return "";
        }
        if (source.width() < 1 || source.height() < 1) throw Error("Source bitmap too small");
        RowResampler resampler(loops, source.width(), source.height(), result, filter.Filter, filter.Width);
        std::vector<const std::uint8_t*> rows;
        for (int y = 0; y < source.height(); ++y) rows.push_back(source.scanline(y));
        for (int top = 0; top < source.height();) {
            const int count =
                std::min(std::uniform_int_distribution<int>(1, block)(random), source.height() - top);
            resampler.add_rows(rows.data() + top, count);
            top += count;
        }
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

// The loops on a copy of one source into a fresh destination of one size must succeed or fail as the
// literal passes do, and on success give their bytes.
void compare(const PixelLoops& loops, const Picture& source, int width, int height,
             const FilterRecord& filter, int block, std::mt19937& random) {
    Picture expected, result;
    expected.set_size(width, height);
    result.set_size(width, height);
    std::string expected_error;
    try {
        literal_resample(source, expected, filter);
    } catch (const Error& error) {
        expected_error = error.what();
    }
    const std::string error = resample_into(loops, source, result, filter, block, random);
    ASSERT_EQ(expected_error, error) << describe(source, result, filter) << " in blocks of " << block;
    if (expected_error.empty()) {
        EXPECT_TRUE(same_pixels(expected, result))
            << describe(source, result, filter) << " in blocks of " << block;
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

void run_differential(const PixelLoops& loops, unsigned seed) {
    std::mt19937 random(seed);
    for (int round = 0; round < 60; ++round) {
        const Picture source = random_picture(random, random_length(random), random_length(random));
        const int width = random_length(random), height = random_length(random);
        // Whole pictures, single rows, and blocks that do not line up with the vector's rows.
        const int block = round % 3 == 0 ? 0 : round % 3 == 1 ? 1 : 40;
        for (const FilterRecord& filter : FilterTable) {
            compare(loops, source, width, height, filter, block, random);
            if (::testing::Test::HasFailure()) return;
        }
        compare(loops, source, width, height, {"Spread", SpreadKernel, 2.0f}, block, random);
    }
}

TEST(ResampleDifferential, ReferenceLoopGivesTheLiteralPassesBytes) {
    run_differential(reference_pixel_loops(), 1);
}

TEST(ResampleDifferential, Avx2LoopGivesTheLiteralPassesBytes) {
    const PixelLoops* loops = pixel_loops_named("avx2");
    if (loops == nullptr) GTEST_SKIP() << "no AVX2 and FMA on this processor";
    run_differential(*loops, 2);
}

TEST(ResampleDifferential, Avx512LoopGivesTheLiteralPassesBytes) {
    const PixelLoops* loops = pixel_loops_named("avx512");
    if (loops == nullptr) GTEST_SKIP() << "no AVX-512 on this processor";
    run_differential(*loops, 512);
}

}  // namespace
}  // namespace velmora
