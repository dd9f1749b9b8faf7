#include "imaging/codecs/png_ihdr.hpp"

#include "base/error.hpp"

namespace velmora::png {

Ihdr parse_ihdr(std::span<const std::uint8_t> data) {
    if (data.size() < kIhdrBytes) throw Error(message::kBadIhdr);
    return Ihdr{read_be32(data, 0), read_be32(data, 4), data[8], data[9], data[10], data[11], data[12]};
}

namespace {

bool depth_allowed(std::uint8_t type, std::uint8_t depth) {
    switch (type) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

}  // namespace

void check_ihdr(const Ihdr& ihdr) {
    if (ihdr.width > kMaxDimension || ihdr.height > kMaxDimension) throw Error(message::kTooLarge);
    if (ihdr.compression != 0) throw Error(message::kUnknownCompression);
    if (ihdr.interlace > 1) throw Error(message::kUnknownInterlace);
    if (ihdr.width == 0 || ihdr.height == 0) raise_not_supported("width or height is 0");
    if (ihdr.filter != 0) raise_not_supported("unknown filter method");
    switch (ihdr.color_type) {
        case 0:
        case 2:
        case 3:
        case 4:
        case 6:
            break;
        default:
            raise_not_supported("invalid colour type");
    }
    if (!depth_allowed(ihdr.color_type, ihdr.bit_depth))
        raise_not_supported("invalid bit depth for the colour type");
}

int channels(ColorType type) {
    switch (type) {
        case ColorType::truecolor:
            return 3;
        case ColorType::gray_alpha:
            return 2;
        case ColorType::truecolor_alpha:
            return 4;
        case ColorType::gray:
        case ColorType::palette:
            return 1;
    }
    return 1;
}

int bits_per_pixel(const Ihdr& ihdr) {
    return channels(color_type(ihdr)) * ihdr.bit_depth;
}

std::size_t row_bytes(const Ihdr& ihdr, std::uint32_t width) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits_per_pixel(ihdr)) + 7) / 8;
}

}  // namespace velmora::png
