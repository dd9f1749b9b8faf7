// Reading JPEG data through libjpeg: the header alone, or the whole picture.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/picture.hpp"

namespace velmora {

struct JpegHeader {
    int width = 0;
    int height = 0;
    bool progressive = false;  // more than one scan: progressive, or sequential with separate scans
};

// Parses the markers up to the first scan. Library errors raise "JPEG error #<code>".
JpegHeader read_jpeg_header(std::span<const std::uint8_t> data);

// Decodes the whole picture: colour sources to 24 bits (blue, green, red), gray ones to 8-bit indexed
// with 236 dithered gray levels, CMYK and YCCK ones to 32 bits (blue, green, red, 255). A picture above
// the memory bound raises "Out of memory" before any pixel memory is taken.
Picture decode_jpeg(std::span<const std::uint8_t> data);

}  // namespace velmora
