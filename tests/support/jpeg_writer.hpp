// JPEG files written straight with libjpeg, independently of the program's own codec: crafted sources
// of every kind the codec and the batch meet, and the encodes the benchmarks set beside the codec's.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

namespace velmora::test {

// What to write; the defaults are the library's own, with a JFIF marker and quality 90.
struct CraftedJpeg {
    int width = 8;
    int height = 8;
    int components = 3;
    int in_color_space = -1;    // J_COLOR_SPACE, or -1 for gray or RGB by the component count
    int jpeg_color_space = -1;  // J_COLOR_SPACE, or -1 for the library's default from the input
    bool adobe_marker = false;
    bool jfif_marker = true;
    bool progressive = false;
    bool separate_scans = false;  // sequential, one scan per component
    bool float_dct = false;       // the floating-point forward DCT instead of the library's default
    int density_unit = 0;
    int density = 1;
    int quality = 90;
    std::vector<std::uint8_t> samples;  // width * height * components, no padding
    // Extra segments after the default markers: marker code and contents.
    std::vector<std::pair<int, std::vector<std::uint8_t>>> markers;
};

// The file in memory.
std::vector<std::uint8_t> write_crafted_jpeg(const CraftedJpeg& crafted);
// The file through a stdio stream, one row at a time, as the library's command-line encoder writes it.
void write_crafted_jpeg(const CraftedJpeg& crafted, std::FILE* file);

// Synthetic photographs (test_pictures.hpp) as the sources a batch meets.
enum class JpegKind { kBaseline, kProgressive, kGray, kCmyk };
void write_jpeg(const std::filesystem::path& path, int width, int height, JpegKind kind, int quality = 90);

// One colour all over (red, green, blue), baseline, quality 95.
void write_plain_jpeg(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                      std::uint8_t green, std::uint8_t blue);

}  // namespace velmora::test
