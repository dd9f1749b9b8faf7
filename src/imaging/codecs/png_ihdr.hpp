// The image header: its fields as read, the pure check of what the logo reader accepts, and the row
// geometry that follows from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "imaging/codecs/png_format.hpp"

namespace velmora::png {

struct Ihdr {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bit_depth = 0;
    std::uint8_t color_type = 0;
    std::uint8_t compression = 0;
    std::uint8_t filter = 0;
    std::uint8_t interlace = 0;
};

// Reads the fields; fewer than 13 bytes raise the ihdr message. Bytes beyond the 13th are ignored.
Ihdr parse_ihdr(std::span<const std::uint8_t> data);

// Raises the one message that fits a header the reader cannot decode, checking in this order: size above
// 65535, compression method, interlace method, then size 0, filter method and colour type / bit depth
// combinations the format forbids.
void check_ihdr(const Ihdr& ihdr);

// Samples per pixel of a checked header's colour type (palette indices count as one).
int channels(ColorType type);
// Bits of one stored pixel, and bytes of one filtered row of `width` pixels (without its filter byte).
int bits_per_pixel(const Ihdr& ihdr);
std::size_t row_bytes(const Ihdr& ihdr, std::uint32_t width);
inline ColorType color_type(const Ihdr& ihdr) {
    return static_cast<ColorType>(ihdr.color_type);
}

}  // namespace velmora::png
