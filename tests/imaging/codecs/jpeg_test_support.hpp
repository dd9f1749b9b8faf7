// Helpers for the JPEG tests: pictures to encode, a plain libjpeg writer for crafted sources, the
// library's own command-line tools, and a walk over the markers of a JPEG file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "imaging/picture.hpp"

namespace velmora::testing {

std::filesystem::path jpeg_data(const std::string& name);
std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Test pictures, 24 bits: photographic content from the corpus, flat, hard edges, noise.
Picture photograph();
Picture flat_picture(int width, int height);
Picture hard_edges(int width, int height);
Picture noise(int width, int height, unsigned seed);

// Binary PPM (P6, red first) or PGM (P5) files as the tools read and write them.
void write_ppm(const std::filesystem::path& path, const Picture& picture);
struct Netpbm {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> samples;  // rows without padding, red first for colour
};
Netpbm read_netpbm(const std::filesystem::path& path);

// A JPEG written straight with libjpeg, for sources the codec itself never writes.
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
    int density_unit = 0;
    int density = 1;
    int quality = 90;
    std::vector<std::uint8_t> samples;  // width * height * components, no padding
    // Extra segments after the default markers: marker code and contents.
    std::vector<std::pair<int, std::vector<std::uint8_t>>> markers;
};
std::vector<std::uint8_t> write_crafted_jpeg(const CraftedJpeg& crafted);

// The segments of a JPEG file in order: their marker codes (0xD8 for SOI, 0xDA for each scan, ...)
// and, for segments with one, their contents.
struct Segment {
    int marker = 0;
    std::vector<std::uint8_t> contents;
};
std::vector<Segment> segments_of(const std::vector<std::uint8_t>& jpeg);

}  // namespace velmora::testing
