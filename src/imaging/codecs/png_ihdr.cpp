#include "imaging/codecs/png_ihdr.hpp"

#include "base/error.hpp"

namespace velmora::png {

Ihdr parse_ihdr(std::span<const std::uint8_t> data) {
    if (data.size() < kIhdrBytes) throw Error(message::kBadIhdr);
    return Ihdr{read_be32(data, 0), read_be32(data, 4), data[8], data[9], data[10], data[11], data[12]};
}

namespace {

bool depth_allowed(ColorType type, std::uint8_t depth) {
    switch (type) {
        case ColorType::kGray:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case ColorType::kPalette:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case ColorType::kTruecolor:
        case ColorType::kGrayAlpha:
        case ColorType::kTruecolorAlpha:
            return depth == 8 || depth == 16;
    }
    return false;
}

}  // namespace

void check_ihdr(const Ihdr& ihdr) {
    if (ihdr.width > kMaxDimension || ihdr.height > kMaxDimension) throw Error(message::kTooLarge);
    if (ihdr.compression != 0) throw Error(message::kUnknownCompression);
    if (ihdr.interlace > 1) throw Error(message::kUnknownInterlace);
    if (ihdr.width == 0 || ihdr.height == 0) raise_not_supported("width or height is 0");
    if (ihdr.filter != 0) raise_not_supported("unknown filter method");
    switch (color_type(ihdr)) {
        case ColorType::kGray:
        case ColorType::kTruecolor:
        case ColorType::kPalette:
        case ColorType::kGrayAlpha:
        case ColorType::kTruecolorAlpha:
            break;
        default:
            raise_not_supported("invalid colour type");
    }
    if (!depth_allowed(color_type(ihdr), ihdr.bit_depth))
        raise_not_supported("invalid bit depth for the colour type");
}

int channels(ColorType type) {
    switch (type) {
        case ColorType::kTruecolor:
            return 3;
        case ColorType::kGrayAlpha:
            return 2;
        case ColorType::kTruecolorAlpha:
            return 4;
        case ColorType::kGray:
        case ColorType::kPalette:
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
