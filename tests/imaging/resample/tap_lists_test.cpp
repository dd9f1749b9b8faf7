#include "imaging/resample/tap_lists.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"

namespace velmora {
namespace {

std::vector<int> indices_of(const TapList& list) {
    std::vector<int> indices;
    for (int t = 0; t < list.Count; ++t) indices.push_back(list.Taps[t].Index);
    return indices;
}

TapLists lists_for(TFilterProc filter, float width, int source_length, int destination_length,
                   const PixelLoops& loops = reference_pixel_loops()) {
    return build_tap_lists(loops, filter, width, source_length, destination_length,
                           resample_scale(source_length, destination_length));
}

TEST(TapLists, ScaleLinesUpTheFirstAndLastPixels) {
    EXPECT_EQ(resample_scale(2, 3), 2.0f);
    EXPECT_EQ(resample_scale(3, 5), 2.0f);
    EXPECT_EQ(resample_scale(3, 2), 0.5f);
    EXPECT_EQ(resample_scale(1, 7), 7.0f);
    EXPECT_EQ(resample_scale(4000, 1000), 0.24981245f);
    EXPECT_EQ(resample_scale(4000, 1000), static_cast<float>(999.0L / 3999.0L));
    EXPECT_EQ(resample_scale(5, 1), 0.0f);
    EXPECT_EQ(resample_scale(1, 0), 0.0f);
    EXPECT_LT(resample_scale(5, 0), 0.0f);
}

TEST(TapLists, SameSizeLanczosKeepsFiveTapsWithTheTinyWeights) {
    const TapLists lists = lists_for(Lanczos3Kernel, 3.0f, 20, 20);
    ASSERT_EQ(lists.size(), 20u);
    const TapList& list = lists[10];
    EXPECT_EQ(list.room, 7) << "room Trunc(2 * 3 + 1)";
    ASSERT_EQ(list.Count, 5) << "the candidates at distance 3 weigh 0 and are dropped";
    EXPECT_EQ(indices_of(list), (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_EQ(list.Taps[2].Weight, 1.0f);
    EXPECT_EQ(list.Taps[1].Weight, Lanczos3Kernel(1.0f));
    EXPECT_EQ(list.Taps[0].Weight, Lanczos3Kernel(2.0f));
    EXPECT_EQ(list.Taps[3].Weight, list.Taps[1].Weight);
    EXPECT_EQ(list.Taps[4].Weight, list.Taps[0].Weight);
    // At the edges the outside candidates reflect: -1 and -2 onto 1 and 2, 20 and 21 onto 19 and 18.
    EXPECT_EQ(indices_of(lists[0]), (std::vector<int>{2, 1, 0, 1, 2}));
    EXPECT_EQ(indices_of(lists[19]), (std::vector<int>{17, 18, 19, 19, 18}));
}

TEST(TapLists, BoxEnlargementsTakeTheLowerPixelAtAHalfWayCentre) {
    const TapLists two_to_three = lists_for(BoxKernel, 0.5f, 2, 3);
    const std::vector<int> expected_two[] = {{0}, {0}, {1}};
    for (std::size_t i = 0; i < 3; ++i) {
        // Room for every candidate from the first to the last, at least Trunc(2 * 0.5 + 1).
        EXPECT_GE(two_to_three[i].room, 2);
        EXPECT_EQ(two_to_three[i].Count, 1);
        EXPECT_EQ(indices_of(two_to_three[i]), expected_two[i]) << i;
        EXPECT_EQ(two_to_three[i].Taps[0].Weight, 1.0f);
    }
    const TapLists three_to_five = lists_for(BoxKernel, 0.5f, 3, 5);
    const std::vector<int> expected_three[] = {{0}, {0}, {1}, {1}, {2}};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(indices_of(three_to_five[i]), expected_three[i]) << i;

    // One source pixel: every centre lies below 1, and candidate 1 reflects onto pixel 0.
    const TapLists one_to_nine = lists_for(BoxKernel, 0.5f, 1, 9);
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(indices_of(one_to_nine[i]), std::vector<int>{0}) << i;
}

TEST(TapLists, BoxShrinkDividesItsWeights) {
    const TapLists lists = lists_for(BoxKernel, 0.5f, 3, 2);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(indices_of(lists[0]), (std::vector<int>{1, 0})) << "candidate -1 reflects onto 1";
    EXPECT_EQ(indices_of(lists[1]), (std::vector<int>{1, 2}));
    for (std::size_t i = 0; i < 2; ++i) {
        for (int t = 0; t < 2; ++t) EXPECT_EQ(lists[i].Taps[t].Weight, 0.5f);
    }
}

TEST(TapLists, LanczosFourThousandToOneThousand) {
    const TapLists lists = lists_for(Lanczos3Kernel, 3.0f, 4000, 1000);
    ASSERT_EQ(lists.size(), 1000u);
    const float scale = 0.24981245f;
    EXPECT_EQ(static_cast<float>(3.0L / scale), 12.009009f) << "support";
    EXPECT_EQ(static_cast<float>(1.0L / scale), 4.003003f) << "divisor";
    EXPECT_EQ(std::trunc(2.0f * 12.009009f + 1.0f), 25.0f) << "room by the table";

    std::vector<int> first;
    for (int j = 12; j >= 1; --j) first.push_back(j);
    for (int j = 0; j <= 12; ++j) first.push_back(j);
    EXPECT_EQ(indices_of(lists[0]), first);

    std::vector<int> last;
    for (int j = 3987; j <= 3999; ++j) last.push_back(j);
    for (int j = 3999; j >= 3988; --j) last.push_back(j);
    EXPECT_EQ(indices_of(lists[999]), last);

    for (const TapList& list : lists.lists()) {
        ASSERT_LE(list.Count, list.room);
        for (int t = 0; t < list.Count; ++t) {
            const SourceTap& tap = list.Taps[t];
            ASSERT_NE(tap.Weight, 0.0f);
            ASSERT_GE(tap.Index, 0);
            ASSERT_LT(tap.Index, 4000);
        }
    }
    // Not normalised: the weights of a list sum to about 0.99705.
    float sum = 0.0f;
    for (int t = 0; t < lists[500].Count; ++t) sum += lists[500].Taps[t].Weight;
    EXPECT_NEAR(sum, 0.99705f, 0.0001f);
}

TEST(TapLists, SupportWiderThanTheSourceIsClampedInside) {
    // Lanczos over 2 pixels reaches candidates -3 to 4; one reflection leaves some outside.
    for (const auto& [source, destination] :
         {std::pair{2, 5}, std::pair{1, 4}, std::pair{7, 2}, std::pair{9, 3}}) {
        const TapLists lists = lists_for(Lanczos3Kernel, 3.0f, source, destination);
        for (const TapList& list : lists.lists()) {
            EXPECT_GT(list.Count, 0);
            for (int t = 0; t < list.Count; ++t) {
                const int index = list.Taps[t].Index;
                EXPECT_GE(index, 0) << source << " -> " << destination;
                EXPECT_LT(index, source) << source << " -> " << destination;
            }
        }
    }
    const TapLists two = lists_for(Lanczos3Kernel, 3.0f, 2, 2);
    // Candidates -2..3 of centre 0: -2 -> 2 -> clamped 1, -1 -> 1, 0, 1, 2 -> 1, 3 -> 0; distance 3 dropped.
    EXPECT_EQ(indices_of(two[0]), (std::vector<int>{1, 1, 0, 1, 1}));
}

TEST(TapLists, ScaleOfZeroIsADivisionByZeroAndAnEmptyDirectionBuildsNothing) {
    for (const auto& [source, destination] : {std::pair{5, 1}, std::pair{1, 0}}) {
        try {
            lists_for(Lanczos3Kernel, 3.0f, source, destination);
            ADD_FAILURE() << source << " -> " << destination << " was built";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Floating point division by zero");
        }
    }
    EXPECT_EQ(lists_for(Lanczos3Kernel, 3.0f, 5, 0).size(), 0u);
}

TEST(TapLists, HugeFilterWidthIsOutOfMemoryNotAKilledProcess) {
    try {
        lists_for(TriangleKernel, 1.0e8f, 4000, 1000);
        ADD_FAILURE() << "lists of 2 * 10^8 taps each were built";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Out of memory");
    }
}

int exact_lists(const TapLists& lists) {
    int exact = 0;
    for (const TapList& list : lists.lists()) exact += list.exact ? 1 : 0;
    return exact;
}

TEST(TapLists, FusedSumIsExactUnlessWeightsSpreadTooFar) {
    // Lanczos weights span far less than the 2^56 that could let two roundings part.
    const TapLists photo = lists_for(Lanczos3Kernel, 3.0f, 4032, 800);
    EXPECT_EQ(exact_lists(photo), 800);
    const TapLists same = lists_for(Lanczos3Kernel, 3.0f, 100, 100);
    EXPECT_EQ(exact_lists(same), 100);

    SourceTap taps[2] = {{0, 0x1p-70f}, {1, 6990507.0f / 8388608.0f}};
    TapList list{};
    list.Count = list.room = 2;
    list.Taps = taps;
    EXPECT_FALSE(fused_sum_is_exact(list)) << "a tiny weight before a large one";
    taps[0].Weight = 0x1p-20f;
    EXPECT_TRUE(fused_sum_is_exact(list));
    list.Count = 1;
    taps[0].Weight = 0x1p-110f;
    EXPECT_FALSE(fused_sum_is_exact(list)) << "a weight near the bottom of the single range";
    EXPECT_FALSE(fused_sum_can_be_watched(list)) << "its sums could leave the normal range";
    taps[0].Weight = 1e37f;
    EXPECT_FALSE(fused_sum_is_exact(list)) << "sums that could overflow must be formed the extended way";
    list.Count = 0;
    EXPECT_TRUE(fused_sum_is_exact(list));
}

TEST(TapLists, ContiguousOnlyWhereNoCandidateIsReflected) {
    const TapLists same = lists_for(Lanczos3Kernel, 3.0f, 20, 20);
    EXPECT_FALSE(same[0].contiguous) << "2, 1, 0, 1, 2";
    EXPECT_FALSE(same[1].contiguous) << "1, 0, 1, 2, 3";
    EXPECT_TRUE(same[2].contiguous) << "0 to 4";
    EXPECT_TRUE(same[17].contiguous) << "15 to 19";
    EXPECT_FALSE(same[18].contiguous) << "16 to 19, then 19";
    const TapLists shrink = lists_for(Lanczos3Kernel, 3.0f, 4000, 1000);
    EXPECT_FALSE(shrink[0].contiguous);
    EXPECT_TRUE(shrink[500].contiguous);
    EXPECT_FALSE(shrink[999].contiguous);
    EXPECT_TRUE(lists_for(BoxKernel, 0.5f, 3, 5)[2].contiguous) << "a single tap";
}

// 1 at the centre and 2^-70 beside it: the tiny weight before the large one keeps the fused sum from
// being exact.
float TinyBesideOneKernel(float value) {
    if (value == 0.0f) return 1.0f;
    return std::fabs(value) == 1.0f ? 0x1p-70f : 0.0f;
}

TEST(TapLists, EachListIsGivenTheKernelThatSumsItWhenBuilt) {
    for (const char* name : {"none", "avx2", "avx512"}) {
        const PixelLoops* loops = pixel_loops_named(name);
        if (loops == nullptr) continue;
        const bool fast = std::string_view(name) != "none";
        // Every one of these lists is exact (above), so a fast loop sums them all.
        const TapLists lanczos = lists_for(Lanczos3Kernel, 3.0f, 100, 100, *loops);
        for (const TapList& list : lanczos.lists()) {
            EXPECT_EQ(list.kernel, fast ? TapKernel::kFused : TapKernel::kReference) << name;
        }
        const TapLists tiny = lists_for(TinyBesideOneKernel, 1.0f, 2, 2, *loops);
        for (const TapList& list : tiny.lists()) {
            EXPECT_FALSE(list.exact) << name;
            EXPECT_EQ(list.kernel, fast ? TapKernel::kWatched : TapKernel::kReference)
                << name << ": the fused sum may round once where the extended one rounds twice";
        }
    }
}

}  // namespace
}  // namespace velmora
