// Scales a 4032 x 3024 synthetic photograph to 800 x 600 with Lanczos3, with each pixel loop, and
// decodes a JPEG of the same picture (quality 90, float IDCT) with libjpeg, all in one run; the end
// of the run prints the ratios of their CPU times (the machine may be shared). Also builds the Lanczos3
// tap lists of the eight photographs bench/batch.sh times in one process, which are built anew for
// each size a batch meets. Build with -DVELMORA_BUILD_BENCH=ON and run
// build-bench/bench/resample_benchmark.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/resampler.hpp"
#include "imaging/resample/tap_lists.hpp"
#include "support/jpeg_reader.hpp"
#include "support/jpeg_writer.hpp"
#include "support/test_pictures.hpp"

namespace velmora {
namespace {

constexpr int kSourceWidth = 4032;
constexpr int kSourceHeight = 3024;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

const Picture& photograph() {
    static const Picture picture =
        test::synthetic_photograph(kSourceWidth, kSourceHeight, test::kCameraPhotograph);
    return picture;
}

void resample_with(benchmark::State& state, const PixelLoops* loops) {
    if (loops == nullptr) {
        state.SkipWithError("the processor lacks this instruction set");
        return;
    }
    Picture source = photograph();
    Picture destination;
    destination.set_size(kWidth, kHeight);
    for (auto _ : state) {
        resample_picture_with(*loops, source, destination, Lanczos3Kernel, 3.0f);
        benchmark::DoNotOptimize(destination.scanline(0));
    }
}

void BM_ResampleAvx512(benchmark::State& state) {
    resample_with(state, pixel_loops_named("avx512"));
}
void BM_ResampleAvx2(benchmark::State& state) {
    resample_with(state, pixel_loops_named("avx2"));
}
void BM_ResampleReference(benchmark::State& state) {
    resample_with(state, &reference_pixel_loops());
}

// The same photograph as a camera would write it (quality 90, float DCT).
const std::vector<std::uint8_t>& photograph_jpeg() {
    static const std::vector<std::uint8_t> file = [] {
        test::CraftedJpeg photo;
        photo.width = kSourceWidth;
        photo.height = kSourceHeight;
        photo.float_dct = true;
        photo.samples = test::photograph_samples(kSourceWidth, kSourceHeight, 3, test::kCameraPhotograph);
        return test::write_crafted_jpeg(photo);
    }();
    return file;
}

void BM_JpegDecodeFloat(benchmark::State& state) {
    const std::vector<std::uint8_t>& file = photograph_jpeg();
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        test::decode_like_the_codec(file, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["jpeg_bytes"] = static_cast<double>(file.size());
}

// The eight photographs' sizes (1920 x 1200 twice, 1680 x 1050, 2560 x 1600 three times, 1920 x 1280,
// 2560 x 1920) to 800 wide: three widths and five heights, each direction's lists built once.
void BM_TapListsOfTheEightPhotographs(benchmark::State& state) {
    constexpr int kDirections[][2] = {{1920, 800}, {1680, 800}, {2560, 800}, {1200, 500},
                                      {1050, 500}, {1600, 500}, {1280, 533}, {1920, 600}};
    const PixelLoops& loops = chosen_pixel_loops();
    for (auto _ : state) {
        for (const auto& [source, destination] : kDirections) {
            const TapLists lists = build_tap_lists(loops, Lanczos3Kernel, 3.0f, source, destination,
                                                   resample_scale(source, destination));
            benchmark::DoNotOptimize(lists[0].Taps);
        }
    }
}

BENCHMARK(BM_ResampleAvx512)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResampleAvx2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResampleReference)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JpegDecodeFloat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TapListsOfTheEightPhotographs)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The console report, and the ratios the goals are stated in.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred) times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double decode = times_["BM_JpegDecodeFloat"], reference = times_["BM_ResampleReference"];
        for (const char* fast : {"BM_ResampleAvx512", "BM_ResampleAvx2"}) {
            if (times_.count(fast) == 0 || decode == 0 || reference == 0) continue;
            std::printf(
                "%s: %.3f of the decode (goal <= 0.25), %.1fx faster than the reference (goal >= 8)\n", fast,
                times_[fast] / decode, reference / times_[fast]);
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    velmora::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
