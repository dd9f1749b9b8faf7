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

#include "base/error.hpp"
#include "imaging/codecs/jpeg_image.hpp"

namespace {

std::string photo_path;
velmora::Picture picture;            // blue, green, red, for the codec
std::vector<std::uint8_t> rgb_rows;  // red, green, blue without padding, as cjpeg reads its PPM
const std::filesystem::path output_path = std::filesystem::temp_directory_path() / "velmora-bench.jpg";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void read_ppm(const char* path) {
    File file(std::fopen(path, "rb"));
    int width = 0, height = 0, maximum = 0;
    if (!file || std::fscanf(file.get(), "P6 %d %d %d", &width, &height, &maximum) != 3 || maximum != 255 ||
        std::fgetc(file.get()) == EOF) {
        throw velmora::Error("not a binary 8-bit PPM");
    }
    rgb_rows.resize(static_cast<std::size_t>(width) * height * 3);
    if (std::fread(rgb_rows.data(), 1, rgb_rows.size(), file.get()) != rgb_rows.size()) {
        throw velmora::Error("PPM file too short");
    }
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        const std::uint8_t* from = rgb_rows.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = from[3 * x + 2];
            row[3 * x + 1] = from[3 * x + 1];
            row[3 * x + 2] = from[3 * x + 0];
        }
    }
}

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
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, out.get());
        info.image_width = static_cast<JDIMENSION>(picture.width());
        info.image_height = static_cast<JDIMENSION>(picture.height());
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        info.dct_method = JDCT_FLOAT;
        jpeg_set_quality(&info, 90, TRUE);
        jpeg_start_compress(&info, TRUE);
        const std::size_t stride = static_cast<std::size_t>(picture.width()) * 3;
        while (info.next_scanline < info.image_height) {
            JSAMPROW rows[1] = {rgb_rows.data() + info.next_scanline * stride};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
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
    read_ppm(argv[2]);
    argv[2] = argv[0];
    int count = argc - 2;
    benchmark::Initialize(&count, argv + 2);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(output_path);
    return 0;
}
