// The codec's operations in one process beside the same work done the way djpeg and cjpeg do it
// (stdio source and destination, one row at a time, float DCT), so that the ratio shows the codec and
// not process start-up or the reading of the benchmark's input.
// Usage: jpeg_codec_bench PHOTO.jpg PICTURE.ppm [benchmark options]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "imaging/codecs/jpeg_image.hpp"
#include "support/jpeg_writer.hpp"
#include "support/netpbm.hpp"

namespace {

std::string photo_path;
velmora::Picture picture;                // blue, green, red, for the codec
velmora::test::CraftedJpeg cjpeg_input;  // red, green, blue without padding, as cjpeg reads its PPM
const std::filesystem::path output_path = std::filesystem::temp_directory_path() / "velmora-bench.jpg";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void DecodeJpegImage(benchmark::State& state) {
    for (auto _ : state) {
        velmora::JpegImage image;
        image.load(photo_path);
        velmora::Picture decoded;
        image.decode_into(decoded);
        benchmark::DoNotOptimize(decoded.scanline(0));
    }
}

// djpeg -dct float -outfile /dev/null: stdio source, rows through one buffer, written as PPM.
void DecodeLikeDjpeg(benchmark::State& state) {
    for (auto _ : state) {
        File in(std::fopen(photo_path.c_str(), "rb"));
        File out(std::fopen("/dev/null", "wb"));
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, in.get());
        jpeg_read_header(&info, TRUE);
        info.dct_method = JDCT_FLOAT;
        jpeg_start_decompress(&info);
        std::vector<JSAMPLE> row(static_cast<std::size_t>(info.output_width) * info.output_components);
        std::fprintf(out.get(), "P6\n%u %u\n255\n", info.output_width, info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[1] = {row.data()};
            jpeg_read_scanlines(&info, rows, 1);
            std::fwrite(row.data(), 1, row.size(), out.get());
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
    }
}

void EncodeJpegImage(benchmark::State& state) {
    for (auto _ : state) {
        velmora::JpegImage image;
        image.take(picture);
        image.set_quality(90);
        image.save(output_path);
    }
}

// cjpeg -baseline -dct float -quality 90: rows handed over one at a time, stdio destination.
void EncodeLikeCjpeg(benchmark::State& state) {
    for (auto _ : state) {
        File out(std::fopen(output_path.c_str(), "wb"));
        velmora::test::write_crafted_jpeg(cjpeg_input, out.get());
    }
}

}  // namespace

BENCHMARK(DecodeJpegImage)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeLikeDjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeJpegImage)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeLikeCjpeg)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PHOTO.jpg PICTURE.ppm [benchmark options]\n", argv[0]);
        return 2;
    }
    photo_path = argv[1];
    const velmora::test::Netpbm image = velmora::test::read_netpbm(argv[2]);
    picture = velmora::test::picture_of(image);
    cjpeg_input.width = image.width;
    cjpeg_input.height = image.height;
    cjpeg_input.float_dct = true;
    cjpeg_input.samples = image.samples;
    argv[2] = argv[0];
    int count = argc - 2;
    benchmark::Initialize(&count, argv + 2);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(output_path);
    return 0;
}
