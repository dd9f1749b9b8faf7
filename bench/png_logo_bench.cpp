// Side by side in one run:
//   LoadLogo/ours vs LoadLogo/libpng: the same 2000 x 2000 RGBA file (libpng's default filters and
//   compression), decoded to 8-bit samples from memory.
//   ConvertAndDraw400x200 vs DecodeJpeg12Mpx: one picture's logo work against one photo decode.
#include <benchmark/benchmark.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "imaging/codecs/png_logo.hpp"
#include "imaging/drawing/draw_logo.hpp"
#include "support/jpeg_reader.hpp"
#include "support/jpeg_writer.hpp"
#include "support/test_pictures.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A logo-like RGBA image: soft gradients, a disc with a feathered edge, a little noise.
Bytes logo_pixels(int width, int height) {
    Bytes pixels(static_cast<std::size_t>(width) * height * 4);
    std::mt19937 noise(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
            const double dx = x - width / 2.0, dy = y - height / 2.0;
            const double r = std::sqrt(dx * dx + dy * dy) / (std::min(width, height) / 2.0);
            p[0] = static_cast<std::uint8_t>(x * 255 / width);
            p[1] = static_cast<std::uint8_t>(y * 255 / height);
            p[2] = static_cast<std::uint8_t>((x + y) % 256 / 2 + noise() % 8);
            p[3] = r < 0.8 ? 255 : r < 1.0 ? static_cast<std::uint8_t>((1.0 - r) * 5 * 255) : 0;
        }
    }
    return pixels;
}

void append(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

Bytes encode_png(const Bytes& pixels, int width, int height) {
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) std::abort();
    png_set_write_fn(png, &file, append, nullptr);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels.data() + static_cast<std::size_t>(y) * width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

struct MemoryRead {
    const Bytes* file;
    std::size_t at;
};

void read_memory(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<MemoryRead*>(png_get_io_ptr(png));
    std::memcpy(out, state->file->data() + state->at, count);
    state->at += count;
}

void decode_with_libpng(const Bytes& file, Bytes& pixels) {
    MemoryRead state{&file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) std::abort();
    png_set_read_fn(png, &state, read_memory);
    png_read_info(png, info);
    const std::size_t width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    pixels.resize(width * height * 4);
    for (std::size_t y = 0; y < height; ++y) png_read_row(png, pixels.data() + y * width * 4, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
}

const Bytes& logo_file() {
    static const Bytes file = encode_png(logo_pixels(2000, 2000), 2000, 2000);
    return file;
}

void LoadLogo_ours(benchmark::State& state) {
    const Bytes& file = logo_file();
    velmora::PngLogo logo;
    for (auto _ : state) {
        logo.load_from_memory(file);
        benchmark::DoNotOptimize(logo.samples().data());
    }
    state.SetLabel(std::to_string(file.size()) + " bytes");
}
BENCHMARK(LoadLogo_ours)->Unit(benchmark::kMillisecond);

void LoadLogo_libpng(benchmark::State& state) {
    const Bytes& file = logo_file();
    Bytes pixels;
    for (auto _ : state) {
        decode_with_libpng(file, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(LoadLogo_libpng)->Unit(benchmark::kMillisecond);

void ConvertAndDraw400x200(benchmark::State& state) {
    velmora::PngLogo logo;
    logo.load_from_memory(encode_png(logo_pixels(400, 200), 400, 200));
    velmora::Picture photo;
    photo.set_size(4000, 3000);
    velmora::Picture logo_picture;
    for (auto _ : state) {
        logo.convert_into(logo_picture);
        const auto origin = velmora::logo_origin(5, 4000, 3000, 400, 200, 10, 10);
        velmora::draw_logo(logo_picture, photo, *origin);
        benchmark::DoNotOptimize(std::as_const(photo).scanline(2900));
    }
}
BENCHMARK(ConvertAndDraw400x200)->Unit(benchmark::kMillisecond);

// A 12-megapixel synthetic photograph with sensor grain, as a camera would write it (quality 90).
void DecodeJpeg12Mpx(benchmark::State& state) {
    velmora::test::CraftedJpeg photo;
    photo.width = 4000;
    photo.height = 3000;
    photo.samples =
        velmora::test::photograph_samples(photo.width, photo.height, 3, velmora::test::kCameraPhotograph);
    const Bytes file = velmora::test::write_crafted_jpeg(photo);
    Bytes pixels;
    for (auto _ : state) {
        velmora::test::decode_like_the_codec(file, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(DecodeJpeg12Mpx)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
