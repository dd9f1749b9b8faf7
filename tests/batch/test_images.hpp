// Pictures for the end-to-end tests, written and read with libjpeg and zlib directly, independently of
// the program's own codecs: JPEG sources of every kind the batch meets, facts and pixels of its output
// files, and small PNG logos.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace velmora::test {

enum class JpegKind { kBaseline, kProgressive, kGray, kCmyk };

// A deterministic picture with smooth areas and edges, `width` x `height`.
void write_jpeg(const std::filesystem::path& path, int width, int height, JpegKind kind, int quality = 90);

// One colour all over (red, green, blue), baseline.
void write_plain_jpeg(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                      std::uint8_t green, std::uint8_t blue);

struct JpegFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    bool jfif = false;
};
JpegFacts read_jpeg_facts(const std::filesystem::path& path);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
// Decodes the file and gives the mean colour of the rectangle [x, x + w) x [y, y + h).
Rgb mean_color(const std::filesystem::path& path, int x, int y, int w, int h);

// A PNG of one opaque colour, 8-bit truecolour without transparency.
void write_png_logo(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                    std::uint8_t green, std::uint8_t blue);

}  // namespace velmora::test
