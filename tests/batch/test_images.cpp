#include "test_images.hpp"

#include <jpeglib.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace velmora::test {
namespace {

std::vector<std::uint8_t> file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::uint8_t pattern(int x, int y, int width, int height, int channel) {
    const double u = static_cast<double>(x) / width;
    const double v = static_cast<double>(y) / height;
    double value = 128 + 100 * std::sin(6.0 * u + 2.0 * channel) * std::cos(4.0 * v - channel);
    if (((x / 7) + (y / 5)) % 9 == 0) value = 255 - value;  // some edges for the resampler to ring on
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

void compress(const std::filesystem::path& path, int width, int height, int components, J_COLOR_SPACE space,
              bool progressive, int quality, const std::vector<std::uint8_t>& pixels) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t row = static_cast<std::size_t>(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {const_cast<JSAMPLE*>(pixels.data() + cinfo.next_scanline * row)};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    write_bytes(path, std::vector<std::uint8_t>(buffer, buffer + size));
    std::free(buffer);
}

template <typename Body>
void decompress(const std::filesystem::path& path, Body body) {
    const std::vector<std::uint8_t> bytes = file_bytes(path);
    jpeg_decompress_struct dinfo{};
    jpeg_error_mgr jerr{};
    dinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&dinfo);
    jpeg_mem_src(&dinfo, bytes.data(), bytes.size());
    jpeg_read_header(&dinfo, TRUE);
    body(dinfo);
    jpeg_destroy_decompress(&dinfo);
}

std::uint32_t big_endian(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
}

void append_chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
    const auto put32 = [&](std::uint32_t v) {
        const std::uint32_t be = big_endian(v);
        const auto* p = reinterpret_cast<const std::uint8_t*>(&be);
        png.insert(png.end(), p, p + 4);
    };
    put32(static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(static_cast<std::uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

}  // namespace

void write_jpeg(const std::filesystem::path& path, int width, int height, JpegKind kind, int quality) {
    const int components = kind == JpegKind::kGray ? 1 : kind == JpegKind::kCmyk ? 4 : 3;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * components);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                pixels[(static_cast<std::size_t>(y) * width + x) * components + c] =
                    kind == JpegKind::kCmyk && c == 3 ? 255 : pattern(x, y, width, height, c);
    const J_COLOR_SPACE space = kind == JpegKind::kGray   ? JCS_GRAYSCALE
                                : kind == JpegKind::kCmyk ? JCS_CMYK
                                                          : JCS_RGB;
    compress(path, width, height, components, space, kind == JpegKind::kProgressive, quality, pixels);
}

void write_plain_jpeg(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                      std::uint8_t green, std::uint8_t blue) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), {red, green, blue});
    compress(path, width, height, 3, JCS_RGB, false, 95, pixels);
}

JpegFacts read_jpeg_facts(const std::filesystem::path& path) {
    JpegFacts facts;
    decompress(path, [&](jpeg_decompress_struct& dinfo) {
        facts.width = static_cast<int>(dinfo.image_width);
        facts.height = static_cast<int>(dinfo.image_height);
        facts.components = dinfo.num_components;
        facts.progressive = dinfo.progressive_mode;
        facts.jfif = dinfo.saw_JFIF_marker;
    });
    return facts;
}

Rgb mean_color(const std::filesystem::path& path, int x, int y, int w, int h) {
    long sums[3] = {0, 0, 0};
    decompress(path, [&](jpeg_decompress_struct& dinfo) {
        dinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&dinfo);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(dinfo.output_width) * 3);
        while (dinfo.output_scanline < dinfo.output_height) {
            const int line = static_cast<int>(dinfo.output_scanline);
            JSAMPROW rows[1] = {row.data()};
            jpeg_read_scanlines(&dinfo, rows, 1);
            if (line < y || line >= y + h) continue;
            for (int column = x; column < x + w; ++column)
                for (int c = 0; c < 3; ++c) sums[c] += row[static_cast<std::size_t>(column) * 3 + c];
        }
        jpeg_finish_decompress(&dinfo);
    });
    const long count = static_cast<long>(w) * h;
    return {static_cast<int>(sums[0] / count), static_cast<int>(sums[1] / count),
            static_cast<int>(sums[2] / count)};
}

void write_png_logo(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                    std::uint8_t green, std::uint8_t blue) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header(13, 0);
    const std::uint32_t w = big_endian(static_cast<std::uint32_t>(width));
    const std::uint32_t h = big_endian(static_cast<std::uint32_t>(height));
    std::memcpy(header.data(), &w, 4);
    std::memcpy(header.data() + 4, &h, 4);
    header[8] = 8;  // bit depth
    header[9] = 2;  // truecolour
    append_chunk(png, "IHDR", header);
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) raw.insert(raw.end(), {red, green, blue});
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    ::compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packed_size);
    append_chunk(png, "IDAT", packed);
    append_chunk(png, "IEND", {});
    write_bytes(path, png);
}

}  // namespace velmora::test
