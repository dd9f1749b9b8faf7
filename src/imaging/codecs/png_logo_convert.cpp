// Conversion of the decoded logo into the logo Picture, by its transparency mode.
#include <algorithm>
#include <array>
#include <utility>

#include "base/error.hpp"
#include "imaging/codecs/png_format.hpp"
#include "imaging/codecs/png_logo.hpp"

namespace velmora {

namespace {

// Gives the picture its size and form; a picture already in that form and size keeps its buffer.
void prepare(Picture& picture, PixelFormat format, int width, int height) {
    if (picture.pixel_format() != format) {
        picture.set_size(0, 0);  // nothing left to convert
        picture.set_pixel_format(format);
    }
    picture.set_size(width, height);
    picture.set_palette({});
}

inline std::uint8_t premultiply(unsigned sample, unsigned alpha) {
    return static_cast<std::uint8_t>((sample * alpha + 127) / 255);
}

inline std::uint8_t premultiply_palette(unsigned sample, unsigned alpha) {
    return static_cast<std::uint8_t>((sample * alpha + 255) / 256);
}

}  // namespace

void PngLogo::convert_into(Picture& logo_picture) const {
    if (mode_ == TransparencyMode::kAlpha) {
        convert_alpha(logo_picture);
    } else {
        convert_opaque(logo_picture);
    }
}

void PngLogo::convert_alpha(Picture& logo_picture) const {
    // Every pixel byte is written below, so the picture needs no clearing first.
    prepare(logo_picture, PixelFormat::k32Bit, width(), height());
    logo_picture.set_has_alpha(true);
    logo_picture.set_transparent_color(std::nullopt);
    const std::uint8_t* samples = samples_.bytes.get();
    const std::uint8_t* alpha = alpha_.bytes.get();
    const std::size_t w = width_;

    if (color_type_ == png::ColorType::kPalette) {
        // One premultiplied pixel per index; an index beyond the palette has none.
        std::array<std::array<std::uint8_t, 4>, 256> by_index{};
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            const unsigned a = transparency_[i];
            by_index[i] = {premultiply_palette(palette_[i].blue, a),
                           premultiply_palette(palette_[i].green, a), premultiply_palette(palette_[i].red, a),
                           static_cast<std::uint8_t>(a)};
        }
        for (int y = 0; y < height(); ++y) {
            std::uint8_t* out = logo_picture.scanline(y);
            const std::uint8_t* row = samples + static_cast<std::size_t>(y) * w;
            for (std::size_t x = 0; x < w; ++x, out += 4) {
                if (row[x] >= palette_.size()) throw Error(png::message::kNoSuchPaletteEntry);
                std::copy_n(by_index[row[x]].data(), 4, out);
            }
        }
        return;
    }

    const bool gray = color_type_ == png::ColorType::kGrayAlpha;
    for (int y = 0; y < height(); ++y) {
        std::uint8_t* out = logo_picture.scanline(y);
        const std::uint8_t* row_alpha = alpha + static_cast<std::size_t>(y) * w;
        if (gray) {
            const std::uint8_t* row = samples + static_cast<std::size_t>(y) * w;
            for (std::size_t x = 0; x < w; ++x, out += 4) {
                const unsigned a = row_alpha[x];
                out[0] = out[1] = out[2] = premultiply(row[x], a);
                out[3] = static_cast<std::uint8_t>(a);
            }
            continue;
        }
        const std::uint8_t* row = samples + static_cast<std::size_t>(y) * w * 3;
        for (std::size_t x = 0; x < w; ++x, out += 4, row += 3) {
            const unsigned a = row_alpha[x];
            out[0] = premultiply(row[2], a);
            out[1] = premultiply(row[1], a);
            out[2] = premultiply(row[0], a);
            out[3] = static_cast<std::uint8_t>(a);
        }
    }
}

void PngLogo::convert_opaque(Picture& logo_picture) const {
    prepare(logo_picture, PixelFormat::k24Bit, width(), height());
    logo_picture.set_has_alpha(false);
    logo_picture.set_transparent_color(mode_ == TransparencyMode::kSingleColor ? std::optional(key_color_)
                                                                               : std::nullopt);
    const std::uint8_t* samples = samples_.bytes.get();
    const std::size_t w = width_;
    const bool truecolor = color_type_ == png::ColorType::kTruecolor;
    const bool palette = color_type_ == png::ColorType::kPalette;

    // Gray levels and palette indices both go through a table of 256 colours; indices beyond the
    // palette are black.
    std::array<Color, 256> by_value{};
    for (std::size_t v = 0; v < 256; ++v) {
        const auto level = static_cast<std::uint8_t>(v);
        by_value[v] = palette ? (v < palette_.size() ? palette_[v] : Color{}) : Color{level, level, level};
    }
    for (int y = 0; y < height(); ++y) {
        std::uint8_t* out = logo_picture.scanline(y);
        if (truecolor) {
            const std::uint8_t* row = samples + static_cast<std::size_t>(y) * w * 3;
            for (std::size_t x = 0; x < w; ++x, out += 3, row += 3) {
                out[0] = row[2];
                out[1] = row[1];
                out[2] = row[0];
            }
            continue;
        }
        const std::uint8_t* row = samples + static_cast<std::size_t>(y) * w;
        for (std::size_t x = 0; x < w; ++x, out += 3) {
            const Color& c = by_value[row[x]];
            out[0] = c.blue;
            out[1] = c.green;
            out[2] = c.red;
        }
    }
}

}  // namespace velmora
