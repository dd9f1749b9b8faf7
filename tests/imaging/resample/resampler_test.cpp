#include "imaging/resample/resampler.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "base/error.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/tap_lists.hpp"

namespace velmora {
namespace {

// A 24-bit picture whose pixel (x, y) has all three bytes equal to value(x, y).
Picture gray_picture(int width, int height, const std::function<int(int, int)>& value) {
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width; ++x) std::memset(row + 3 * x, value(x, y), 3);
    }
    return picture;
}

std::vector<int> row_values(const Picture& picture, int y) {
    std::vector<int> values;
    const std::uint8_t* row = picture.scanline(y);
    for (int x = 0; x < picture.width(); ++x) {
        EXPECT_TRUE(row[3 * x] == row[3 * x + 1] && row[3 * x] == row[3 * x + 2]) << "pixel " << x;
        values.push_back(row[3 * x]);
    }
    return values;
}

std::vector<const PixelLoops*> every_loop() {
    std::vector<const PixelLoops*> loops;
    for (const char* name : {"none", "avx2", "avx512"}) {
        if (const PixelLoops* named = pixel_loops_named(name)) loops.push_back(named);
    }
    return loops;
}

Picture resampled(const PixelLoops& loops, const Picture& source, int width, int height, TFilterProc filter,
                  float filter_width) {
    Picture from = source, to;
    to.set_size(width, height);
    resample_picture_with(loops, from, to, filter, filter_width);
    return to;
}

TEST(ResamplePicture, SameSizeLanczosCopiesByteForByte) {
    Picture source;
    source.set_size(37, 23);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 3 * 37; ++x)
            source.scanline(y)[x] = static_cast<std::uint8_t>((x * 31 + y * 17) ^ (x * y));
    }
    for (const PixelLoops* loops : every_loop()) {
        const Picture result = resampled(*loops, source, 37, 23, Lanczos3Kernel, 3.0f);
        for (int y = 0; y < 23; ++y) {
            EXPECT_EQ(std::memcmp(result.scanline(y), source.scanline(y), 3 * 37), 0)
                << loops->name << " row " << y;
        }
    }
}

TEST(ResamplePicture, BoxPicksSourcePixels) {
    const Picture three = gray_picture(3, 2, [](int x, int) { return 10 + 100 * x; });
    for (const PixelLoops* loops : every_loop()) {
        EXPECT_EQ(row_values(resampled(*loops, three, 5, 2, BoxKernel, 0.5f), 1),
                  (std::vector<int>{10, 10, 110, 110, 210}))
            << loops->name;
        // 0.5 * 110 + 0.5 * 10 and 0.5 * 110 + 0.5 * 210.
        EXPECT_EQ(row_values(resampled(*loops, three, 2, 2, BoxKernel, 0.5f), 0), (std::vector<int>{60, 160}))
            << loops->name;
        const Picture two = gray_picture(2, 2, [](int x, int) { return 7 + 5 * x; });
        EXPECT_EQ(row_values(resampled(*loops, two, 3, 2, BoxKernel, 0.5f), 0), (std::vector<int>{7, 7, 12}))
            << loops->name;
        const Picture one = gray_picture(1, 2, [](int, int) { return 99; });
        EXPECT_EQ(row_values(resampled(*loops, one, 6, 2, BoxKernel, 0.5f), 1), std::vector<int>(6, 99))
            << loops->name;
    }
}

TEST(ResamplePicture, WeightsAreNotNormalised) {
    // At 4:1 the Lanczos weights of a list sum to about 0.99705: 255 loses one step per pass, 128 none.
    for (const PixelLoops* loops : every_loop()) {
        const Picture white = gray_picture(400, 400, [](int, int) { return 255; });
        const Picture narrowed = resampled(*loops, white, 100, 400, Lanczos3Kernel, 3.0f);
        EXPECT_EQ(row_values(narrowed, 200)[50], 254) << loops->name << ": after the horizontal pass";
        const Picture reduced = resampled(*loops, white, 100, 100, Lanczos3Kernel, 3.0f);
        EXPECT_EQ(row_values(reduced, 50)[50], 253) << loops->name << ": after both passes";
        const Picture gray = gray_picture(400, 400, [](int, int) { return 128; });
        EXPECT_EQ(row_values(resampled(*loops, gray, 100, 100, Lanczos3Kernel, 3.0f), 50)[50], 128)
            << loops->name;
    }
}

// The sums of one row before they become bytes, every step at extended precision rounded to single.
std::vector<float> row_sums(const std::vector<int>& row, int width) {
    const int length = static_cast<int>(row.size());
    const TapLists lists = build_tap_lists(reference_pixel_loops(), Lanczos3Kernel, 3.0f, length, width,
                                           resample_scale(length, width));
    std::vector<float> sums;
    for (const TapList& list : lists.lists()) {
        float sum = 0.0f;
        for (int t = 0; t < list.Count; ++t) {
            const SourceTap& tap = list.Taps[t];
            sum = static_cast<float>(
                row[static_cast<std::size_t>(tap.Index)] * static_cast<long double>(tap.Weight) + sum);
        }
        sums.push_back(sum);
    }
    return sums;
}

TEST(ResamplePicture, OvershootAtAHardEdgeIsClamped) {
    // A step from 0 to 255: Lanczos rings above 255 on the bright side and below 0 on the dark side,
    // both when shrinking and when enlarging (by how much depends on where the samples fall).
    std::vector<int> step(400);
    for (int x = 0; x < 400; ++x) step[static_cast<std::size_t>(x)] = x < 202 ? 0 : 255;
    const Picture edge = gray_picture(400, 2, [&](int x, int) { return step[static_cast<std::size_t>(x)]; });
    for (const int width : {100, 1000}) {
        const std::vector<float> sums = row_sums(step, width);
        const auto [low, high] = std::minmax_element(sums.begin(), sums.end());
        EXPECT_GT(*high, 256.0f) << width;
        EXPECT_LT(*low, -1.0f) << width;
        for (const PixelLoops* loops : every_loop()) {
            const std::vector<int> bytes =
                row_values(resampled(*loops, edge, width, 2, Lanczos3Kernel, 3.0f), 1);
            EXPECT_EQ(bytes[static_cast<std::size_t>(high - sums.begin())], 255)
                << loops->name << " " << width;
            EXPECT_EQ(bytes[static_cast<std::size_t>(low - sums.begin())], 0) << loops->name << " " << width;
        }
    }
}

void expect_error(const std::function<void()>& action, const char* message) {
    try {
        action();
        ADD_FAILURE() << "expected the error \"" << message << "\"";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), message);
    }
}

// The destination's own bytes, to see that a failing call left them alone.
std::vector<std::uint8_t> bytes_of(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < picture.height(); ++y) {
        bytes.insert(bytes.end(), picture.scanline(y), picture.scanline(y) + picture.stride());
    }
    return bytes;
}

TEST(ResamplePicture, FailuresCarryTheirMessagesAndLeaveTheDestinationAlone) {
    for (const PixelLoops* loops : every_loop()) {
        SCOPED_TRACE(loops->name);
        const auto attempt = [&](int source_width, int source_height, int width, int height,
                                 const char* message, bool source_converted) {
            SCOPED_TRACE(testing::Message()
                         << source_width << "x" << source_height << " -> " << width << "x" << height);
            Picture source =
                gray_picture(source_width, source_height, [](int x, int y) { return 40 + x + y; });
            source.set_pixel_format(PixelFormat::k32Bit);
            Picture destination = gray_picture(width, height, [](int x, int y) { return 200 - x - y; });
            const std::vector<std::uint8_t> before = bytes_of(destination);
            expect_error([&] { resample_picture_with(*loops, source, destination, Lanczos3Kernel, 3.0f); },
                         message);
            EXPECT_EQ(bytes_of(destination), before);
            EXPECT_EQ(destination.width(), width);
            EXPECT_EQ(destination.height(), height);
            EXPECT_EQ(source.pixel_format(), source_converted ? PixelFormat::k24Bit : PixelFormat::k32Bit);
        };
        attempt(0, 5, 4, 4, "Source bitmap too small", false);
        attempt(5, 0, 4, 4, "Source bitmap too small", false);
        attempt(6, 6, 1, 4, "Floating point division by zero", true);  // horizontal, before any pixel
        attempt(1, 6, 0, 4, "Floating point division by zero", true);
        attempt(6, 6, 4, 1, "Floating point division by zero", true);  // vertical, after the horizontal pass
        attempt(6, 1, 4, 0, "Floating point division by zero", true);
        attempt(6, 1, 4, 1, "Scan line index out of range", true);  // a single work row
        attempt(6, 1, 4, 3, "Scan line index out of range", true);
        attempt(6, 6, 4, 0, "Scan line index out of range", true);  // no destination row to reach
    }
}

TEST(ResamplePicture, ConvertsTheSourceAndAnEmptyWidthRunsThrough) {
    Picture source;
    source.set_size(4, 3);
    source.set_pixel_format(PixelFormat::k8Bit);
    source.set_palette({Color{30, 20, 10}});
    Picture destination;
    destination.set_size(4, 3);
    destination.set_pixel_format(PixelFormat::k8Bit);
    ResamplePicture(source, destination, Lanczos3Kernel, 3.0f);
    EXPECT_EQ(source.pixel_format(), PixelFormat::k24Bit);
    EXPECT_EQ(destination.pixel_format(), PixelFormat::k24Bit);
    EXPECT_EQ(destination.scanline(2)[9], 10) << "blue of the palette colour";
    EXPECT_EQ(destination.scanline(2)[11], 30) << "red of the palette colour";

    Picture empty;
    empty.set_size(0, 3);
    EXPECT_NO_THROW(ResamplePicture(source, empty, Lanczos3Kernel, 3.0f));
}

TEST(ResamplePicture, CopiesOfTheSourceAndDestinationKeepTheirPixels) {
    Picture source = gray_picture(8, 8, [](int x, int) { return 16 * x; });
    const Picture source_copy = source;
    Picture destination;
    destination.set_size(4, 4);
    const Picture destination_copy = destination;
    ResamplePicture(source, destination, TriangleKernel, 1.0f);
    EXPECT_EQ(bytes_of(source), bytes_of(source_copy));
    EXPECT_EQ(bytes_of(destination_copy), std::vector<std::uint8_t>(bytes_of(destination_copy).size(), 0));
    EXPECT_NE(bytes_of(destination), bytes_of(destination_copy));
}

// Weights chosen so that one rounding and two roundings part: 3 * w is exactly half-way between two
// singles above 2.5, and the tap before it adds 2^-70, too little for the extended sum to keep.
// Rounded twice, the sum goes to the even single 2.5 and then to the byte 2; rounded once it would
// go to the single above 2.5 and the byte 3.
float TieKernel(float value) {
    if (value == 0.0f) return 6990507.0f / 8388608.0f;  // 6990507 * 2^-23
    if (value == 1.0f || value == -1.0f) return 0x1p-70f;
    return 0.0f;
}

TEST(ResamplePicture, FastLoopsRoundTwiceWhereTheReferenceArithmeticDoes) {
    const Picture source = gray_picture(2, 2, [](int x, int) { return x == 0 ? 1 : 3; });
    for (const PixelLoops* loops : every_loop()) {
        const Picture result = resampled(*loops, source, 2, 2, TieKernel, 1.0f);
        for (int y = 0; y < 2; ++y) EXPECT_EQ(row_values(result, y), (std::vector<int>{1, 2})) << loops->name;
    }
}

}  // namespace
}  // namespace velmora
