// Binary PPM (P6, red first) and PGM (P5) files as the library's command-line tools read and write them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "imaging/picture.hpp"

namespace velmora::test {

void write_ppm(const std::filesystem::path& path, const Picture& picture);

struct Netpbm {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> samples;  // rows without padding, red first for colour
};
Netpbm read_netpbm(const std::filesystem::path& path);

// A colour image (channels 3) as a 24-bit Picture.
Picture picture_of(const Netpbm& image);

}  // namespace velmora::test
