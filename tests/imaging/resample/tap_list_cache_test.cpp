#include "imaging/resample/tap_list_cache.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "base/error.hpp"
#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/resampler.hpp"
#include "imaging/resample/row_resampler.hpp"

namespace velmora {
namespace {

const PixelLoops& kLoops = reference_pixel_loops();

bool same_taps(const TapLists& a, const TapLists& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Count != b[i].Count || a[i].kernel != b[i].kernel) return false;
        for (int t = 0; t < a[i].Count; ++t)
            if (a[i].Taps[t].Index != b[i].Taps[t].Index || a[i].Taps[t].Weight != b[i].Taps[t].Weight)
                return false;
    }
    return true;
}

TEST(TapListCache, AnswersTheListsOfItsKeyAndBuildsThemOnceForTheLastKeysAskedFor) {
    TapListCache cache;
    const auto first = cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 800);
    EXPECT_TRUE(same_taps(
        *first, build_tap_lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 800, resample_scale(2560, 800))));
    EXPECT_EQ(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 800), first);

    // Every part of the key tells lists apart.
    EXPECT_NE(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2561, 800), first);
    EXPECT_NE(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 801), first);
    EXPECT_NE(cache.lists(kLoops, Lanczos3Kernel, 2.0f, 2560, 800), first);
    EXPECT_NE(cache.lists(kLoops, filter_named("Bell").Filter, 3.0f, 2560, 800), first);
    EXPECT_EQ(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 800), first);

    // Lists asked for since the cache was full push out the least recently asked for.
    for (int length = 100; length < 100 + static_cast<int>(TapListCache::kKept) - 1; ++length)
        cache.lists(kLoops, Lanczos3Kernel, 3.0f, length, 50);
    EXPECT_EQ(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 800), first);
    for (int length = 200; length < 200 + static_cast<int>(TapListCache::kKept); ++length)
        cache.lists(kLoops, Lanczos3Kernel, 3.0f, length, 50);
    const auto again = cache.lists(kLoops, Lanczos3Kernel, 3.0f, 2560, 800);
    EXPECT_NE(again, first);
    EXPECT_TRUE(same_taps(*again, *first));

    // A size the lists refuse fails every time it is asked for.
    for (int i = 0; i < 2; ++i) EXPECT_THROW(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 5, 1), Error);
}

TEST(TapListCache, ThreadsAskingAtOnceGetTheListsBuiltOnceForAllOfThem) {
    TapListCache cache;
    constexpr int kThreads = 4;
    constexpr int kLengths = 6;  // fewer keys than the cache keeps: none is pushed out
    std::vector<std::vector<std::shared_ptr<const TapLists>>> answers(kThreads);
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) {
        threads.emplace_back([&, k] {
            for (int round = 0; round < 20; ++round) {
                for (int length = 0; length < kLengths; ++length)
                    answers[k].push_back(cache.lists(kLoops, Lanczos3Kernel, 3.0f, 300 + length, 100));
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int length = 0; length < kLengths; ++length) {
        const auto built = cache.lists(kLoops, Lanczos3Kernel, 3.0f, 300 + length, 100);
        for (const auto& answered : answers)
            for (std::size_t i = static_cast<std::size_t>(length); i < answered.size(); i += kLengths)
                ASSERT_EQ(answered[i], built) << "length " << 300 + length;
    }
}

Picture noise(int width, int height, std::mt19937& random) {
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 3 * width; ++x) picture.scanline(y)[x] = static_cast<std::uint8_t>(random());
    return picture;
}

TEST(TapListCache, PicturesScaledWithSharedListsGetTheBytesOfTheWholePicturePasses) {
    std::mt19937 random(13);
    TapListCache cache;
    for (const auto& [width, height] :
         {std::pair{301, 200}, std::pair{301, 200}, std::pair{301, 123}, std::pair{301, 200}}) {
        Picture source = noise(width, height, random);
        Picture expected, scaled;
        expected.set_size(100, height / 3);
        scaled.set_size(100, height / 3);
        RowResampler resampler(chosen_pixel_loops(), width, height, scaled, Lanczos3Kernel, 3.0f, &cache);
        std::vector<const std::uint8_t*> rows;
        for (int y = 0; y < height; ++y) rows.push_back(source.scanline(y));
        resampler.add_rows(rows.data(), height);
        ResamplePicture(source, expected, Lanczos3Kernel, 3.0f);
        for (int y = 0; y < expected.height(); ++y)
            ASSERT_EQ(std::memcmp(scaled.scanline(y), expected.scanline(y), 300), 0)
                << width << " x " << height;
    }
}

}  // namespace
}  // namespace velmora
