// A list whose fused sum cannot be proven exact from its weights is summed by the fast loops and
// watched: where a step could round otherwise than the extended one, the row or block is handed back.
// Weights 2^-70, 1 + 3 * 2^-23 and -(1/2 + 2^-20) over bytes 1, 3, 1 are that case: 3 * (1 + 3 * 2^-23)
// lies half-way between two singles, the extended sum rounds onto that point and then to even, and
// the last tap lands the reference sum on 2.5 exactly (byte 2) and the fused one just above it (byte 3).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/reference_loop.hpp"

namespace velmora {
namespace {

const SourceTap kTaps[3] = {{0, 0x1p-70f}, {1, 1.0f + 3 * 0x1p-23f}, {2, -(0.5f + 0x1p-20f)}};

TapList list_of(TapKernel kernel) {
    TapList list{};
    list.Count = list.room = 3;
    list.Taps = kTaps;
    list.contiguous = true;
    list.kernel = kernel;
    return list;
}

// Three work rows of `width` pixels, every byte of row r being bytes[r].
std::vector<std::uint8_t> work_rows(int width, const std::uint8_t (&bytes)[3]) {
    std::vector<std::uint8_t> work;
    for (const std::uint8_t byte : bytes) work.insert(work.end(), 3 * static_cast<std::size_t>(width), byte);
    return work;
}

std::uint8_t reference_byte(const std::uint8_t (&bytes)[3]) {
    const std::vector<std::uint8_t> work = work_rows(1, bytes);
    std::uint8_t out[3];
    filter_pixel_exact(list_of(TapKernel::kReference), work.data(), 3, out);
    return out[0];
}

TEST(WatchedSum, TheFastLoopsHandBackWhatTheyCouldRoundOtherwise) {
    constexpr std::uint8_t kDoubtful[3] = {1, 3, 1};
    constexpr std::uint8_t kClear[3] = {0, 3, 1};  // a zero sum meets the large weight: no doubt
    ASSERT_EQ(reference_byte(kDoubtful), 2);
    ASSERT_EQ(reference_byte(kClear), 2);
    for (const char* name : {"avx2", "avx512"}) {
        const PixelLoops* loops = pixel_loops_named(name);
        if (loops == nullptr) continue;
        // Rows of whole wide spans, and rows with single vectors and bytes after them.
        constexpr int kWidth = 45;
        const std::ptrdiff_t step = 3 * kWidth;
        const std::vector<std::uint8_t> doubtful = work_rows(kWidth, kDoubtful);
        const std::vector<std::uint8_t> clear = work_rows(kWidth, kClear);
        for (const std::size_t bytes : {std::size_t{128}, std::size_t{3 * kWidth}}) {
            std::vector<std::uint8_t> out(bytes);
            ASSERT_TRUE(
                loops->filter_row(list_of(TapKernel::kFused), doubtful.data(), step, bytes, out.data()));
            EXPECT_EQ(out[0], 3) << name << ": unwatched, the fused sum parts from the reference";
            EXPECT_FALSE(
                loops->filter_row(list_of(TapKernel::kWatched), doubtful.data(), step, bytes, out.data()))
                << name << " over " << bytes << " bytes";
            ASSERT_TRUE(
                loops->filter_row(list_of(TapKernel::kWatched), clear.data(), step, bytes, out.data()))
                << name;
            EXPECT_EQ(out, std::vector<std::uint8_t>(bytes, 2)) << name;
        }

        // The same three pixels as columns of a block: pixel x of every row is kDoubtful[x].
        std::vector<float> columns;
        for (const std::uint8_t byte : kDoubtful) columns.insert(columns.end(), kBlockPixelValues, byte);
        const TapList watched = list_of(TapKernel::kWatched);
        std::vector<std::uint8_t> results(kBlockPixelValues, 7);
        std::uint8_t handed_back = 0;
        EXPECT_TRUE(loops->filter_columns(&watched, 1, columns.data(), 0, results.data(), &handed_back))
            << name;
        EXPECT_EQ(handed_back, 1) << name;
        EXPECT_EQ(results, std::vector<std::uint8_t>(kBlockPixelValues, 7)) << name << ": left alone";
    }
}

}  // namespace
}  // namespace velmora
