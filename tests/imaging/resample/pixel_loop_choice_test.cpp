#include "imaging/resample/pixel_loop_choice.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace velmora {
namespace {

constexpr ProcessorFeatures kBoth{true, true};
constexpr ProcessorFeatures kAvx2Only{true, false};
constexpr ProcessorFeatures kNeither{false, false};

std::string name_of(const PixelLoopChoice& choice) {
    return choice.loops->name;
}

TEST(PixelLoopChoice, UnsetOrEmptyTakesTheFastestWithoutAWord) {
    for (const char* simd : {static_cast<const char*>(nullptr), ""}) {
        EXPECT_EQ(name_of(choose_pixel_loops(simd, nullptr, kBoth)), "avx512");
        EXPECT_EQ(name_of(choose_pixel_loops(simd, nullptr, kAvx2Only)), "avx2");
        EXPECT_EQ(name_of(choose_pixel_loops(simd, nullptr, kNeither)), "none");
        EXPECT_EQ(choose_pixel_loops(simd, nullptr, kBoth).warning, "");
    }
    EXPECT_EQ(choose_pixel_loops(nullptr, nullptr, kNeither).loops, &reference_pixel_loops());
}

TEST(PixelLoopChoice, EachNameTheProcessorHasIsTaken) {
    for (const char* name : {"none", "avx2", "avx512"}) {
        const PixelLoopChoice choice = choose_pixel_loops(name, nullptr, kBoth);
        EXPECT_EQ(name_of(choice), name);
        EXPECT_EQ(choice.warning, "") << name;
        EXPECT_EQ(choice.loops, pixel_loops_named(name, kBoth)) << name;
    }
    EXPECT_EQ(name_of(choose_pixel_loops("none", nullptr, kNeither)), "none");
    EXPECT_EQ(name_of(choose_pixel_loops("avx2", nullptr, kAvx2Only)), "avx2");
}

TEST(PixelLoopChoice, NoSimdOneMeansTheReferenceWhateverTheName) {
    EXPECT_EQ(name_of(choose_pixel_loops(nullptr, "1", kBoth)), "none");
    const PixelLoopChoice over_a_name = choose_pixel_loops("avx512", "1", kBoth);
    EXPECT_EQ(name_of(over_a_name), "none");
    EXPECT_EQ(over_a_name.warning, "");
    EXPECT_EQ(name_of(choose_pixel_loops("sse", "1", kBoth)), "none");
    // Only "1" switches the fast loops off.
    EXPECT_EQ(name_of(choose_pixel_loops(nullptr, "0", kBoth)), "avx512");
    EXPECT_EQ(name_of(choose_pixel_loops(nullptr, "", kBoth)), "avx512");
    EXPECT_EQ(name_of(choose_pixel_loops("avx2", "yes", kBoth)), "avx2");
}

TEST(PixelLoopChoice, ALoopTheProcessorLacksGivesTheFastestAndOneLine) {
    const PixelLoopChoice wide = choose_pixel_loops("avx512", nullptr, kAvx2Only);
    EXPECT_EQ(name_of(wide), "avx2");
    EXPECT_EQ(wide.warning,
              "velmora: VELMORA_SIMD=avx512 names a loop this processor cannot run; using avx2");
    const PixelLoopChoice none = choose_pixel_loops("avx2", nullptr, kNeither);
    EXPECT_EQ(name_of(none), "none");
    EXPECT_EQ(none.warning, "velmora: VELMORA_SIMD=avx2 names a loop this processor cannot run; using none");
    EXPECT_EQ(pixel_loops_named("avx512", kAvx2Only), nullptr);
    EXPECT_EQ(pixel_loops_named("avx2", kNeither), nullptr);
    EXPECT_EQ(pixel_loops_named("none", kNeither), &reference_pixel_loops());
}

TEST(PixelLoopChoice, AnUnknownNameGivesTheFastestAndSaysWhichNamesThereAre) {
    const PixelLoopChoice sse = choose_pixel_loops("sse4", nullptr, kBoth);
    EXPECT_EQ(name_of(sse), "avx512");
    EXPECT_EQ(sse.warning,
              "velmora: VELMORA_SIMD=sse4 names no pixel loop (none, avx2 or avx512); using avx512");
    // Names are matched exactly, and the text stays on one line whatever it holds.
    EXPECT_EQ(name_of(choose_pixel_loops("AVX2", nullptr, kAvx2Only)), "avx2");
    EXPECT_EQ(choose_pixel_loops("AVX2", nullptr, kAvx2Only).warning,
              "velmora: VELMORA_SIMD=AVX2 names no pixel loop (none, avx2 or avx512); using avx2");
    EXPECT_EQ(choose_pixel_loops("avx2\nnone", nullptr, kNeither).warning,
              "velmora: VELMORA_SIMD=avx2?none names no pixel loop (none, avx2 or avx512); using none");
    EXPECT_EQ(pixel_loops_named("sse4", kBoth), nullptr);
}

TEST(PixelLoopChoice, TheChosenLoopsFollowTheEnvironment) {
    const PixelLoopChoice expected =
        choose_pixel_loops(std::getenv("VELMORA_SIMD"), std::getenv("VELMORA_NO_SIMD"), processor_features());
    EXPECT_EQ(&chosen_pixel_loops(), expected.loops);
    EXPECT_EQ(&chosen_pixel_loops(), expected.loops) << "the same loops on every call";
}

}  // namespace
}  // namespace velmora
