// Scales a 4032 x 3024 photograph-like picture to 800 x 600 with Lanczos3, with each pixel loop, and
// decodes a JPEG of the same picture (quality 90, float IDCT) with libjpeg, all in one run; the end
// of the run prints the ratios of their CPU times (the machine may be shared). Build with
// -DVELMORA_BUILD_BENCH=ON and run build-bench/bench/resample_benchmark.
#include <benchmark/benchmark.h>

#include <cstdio>
// libjpeg's header needs size_t and FILE first.
#include <jpeglib.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/resampler.hpp"

namespace velmora {
namespace {

constexpr int kSourceWidth = 4032;
constexpr int kSourceHeight = 3024;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Smooth gradients like sky and skin, a few hard-edged shapes, and sensor-like noise.
const Picture& photograph() {
    static const Picture picture = [] {
        Picture p;
        p.set_size(kSourceWidth, kSourceHeight);
        std::uint32_t noise = 12345;
        for (int y = 0; y < kSourceHeight; ++y) {
            std::uint8_t* row = p.scanline(y);
            for (int x = 0; x < kSourceWidth; ++x) {
                const double u = x / double(kSourceWidth), v = y / double(kSourceHeight);
                double base[3] = {120 + 90 * std::sin(3.1 * u + 1.3 * v),
                                  110 + 80 * std::cos(2.3 * v - 1.7 * u),
                                  100 + 70 * std::sin(5.0 * u * v + 0.5)};
                const bool in_shape =
                    ((x / 300 + y / 250) % 5 == 0) || (std::hypot(x - 2500.0, y - 1200.0) < 600);
                for (int c = 0; c < 3; ++c) {
                    noise = noise * 1664525u + 1013904223u;
                    const double grain = static_cast<double>(noise >> 24) / 255.0 * 24 - 12;
                    const double value = (in_shape ? 255 - base[c] : base[c]) + grain;
                    row[3 * x + c] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
                }
            }
        }
        return p;
    }();
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

const std::vector<unsigned char>& photograph_jpeg() {
    static const std::vector<unsigned char> file = [] {
        const Picture& p = photograph();
        jpeg_compress_struct cinfo{};
        jpeg_error_mgr error{};
        cinfo.err = jpeg_std_error(&error);
        jpeg_create_compress(&cinfo);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = kSourceWidth;
        cinfo.image_height = kSourceHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 90, TRUE);
        cinfo.dct_method = JDCT_FLOAT;
        jpeg_start_compress(&cinfo, TRUE);
        std::vector<unsigned char> rgb(3 * kSourceWidth);
        while (cinfo.next_scanline < cinfo.image_height) {
            const std::uint8_t* bgr = p.scanline(static_cast<int>(cinfo.next_scanline));
            for (int x = 0; x < kSourceWidth; ++x) {
                for (int c = 0; c < 3; ++c) rgb[3 * x + c] = bgr[3 * x + 2 - c];
            }
            JSAMPROW row = rgb.data();
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        std::vector<unsigned char> result(buffer, buffer + size);
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return result;
    }();
    return file;
}

void BM_JpegDecodeFloat(benchmark::State& state) {
    const std::vector<unsigned char>& file = photograph_jpeg();
    std::vector<unsigned char> pixels(3 * std::size_t{kSourceWidth} * kSourceHeight);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr error{};
        cinfo.err = jpeg_std_error(&error);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, file.data(), file.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.dct_method = JDCT_FLOAT;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + 3 * std::size_t{kSourceWidth} * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["jpeg_bytes"] = static_cast<double>(file.size());
}

BENCHMARK(BM_ResampleAvx512)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResampleAvx2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResampleReference)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JpegDecodeFloat)->Unit(benchmark::kMillisecond)->UseRealTime();

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
