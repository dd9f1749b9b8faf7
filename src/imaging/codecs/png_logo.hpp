// The PNG logo object: reads a PNG file of any colour type, bit depth and interlace, keeps its decoded
// samples with their palette, transparency data and gamma table, and converts them into the logo
// Picture that is drawn onto every photograph of a run.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "base/color.hpp"
#include "imaging/codecs/png_format.hpp"
#include "imaging/picture.hpp"

namespace velmora {

enum class TransparencyMode { kNone, kSingleColor, kAlpha };

class PngLogo {
  public:
    PngLogo();  // empty: 0 x 0, identity gamma table, no transparency

    // Opens, reads and decodes the file. Replaces anything loaded before; a failure leaves the object
    // empty (0 x 0) and raises the message that fits the fault.
    void load(const std::filesystem::path& path);
    void load_from_memory(std::span<const std::uint8_t> bytes);

    // Records that transparent drawing was asked for; the logo's own transparency data alone decides
    // how it is drawn.
    void mark_transparent() { transparent_requested_ = true; }
    bool transparent_requested() const { return transparent_requested_; }

    int width() const { return static_cast<int>(width_); }
    int height() const { return static_cast<int>(height_); }
    TransparencyMode transparency_mode() const { return mode_; }

    // Makes `logo_picture` the logo: 32-bit premultiplied blue, green, red, alpha in alpha mode, 24-bit
    // with the key colour as its transparent colour in single-colour mode, 24-bit otherwise. A palette
    // index beyond the palette is black, except in alpha mode, where it raises "There is no such palette
    // entry.".
    void convert_into(Picture& logo_picture) const;

    // The decoded logo, for inspection.
    png::ColorType color_type() const { return color_type_; }
    int bit_depth() const { return bit_depth_; }
    bool interlaced() const { return interlaced_; }
    // One byte per channel and pixel, rows top first: red, green, blue for truecolour; the gray level
    // (0..255) for gray; the palette index for palette logos.
    std::span<const std::uint8_t> samples() const;
    // One alpha byte per pixel for gray with alpha and truecolour with alpha; empty otherwise.
    std::span<const std::uint8_t> alpha_plane() const;
    const std::vector<Color>& palette() const { return palette_; }
    const std::array<std::uint8_t, 256>& transparency_values() const { return transparency_; }
    Color key_color() const { return key_color_; }
    const std::array<std::uint8_t, 256>& gamma_table() const { return gamma_; }

  private:
    struct Plane {
        struct Free {
            void operator()(std::uint8_t* bytes) const;
        };
        std::unique_ptr<std::uint8_t, Free> bytes;
        std::size_t size = 0;
    };
    class Decoding;
    friend class Decoding;

    void convert_alpha(Picture& logo_picture) const;
    void convert_opaque(Picture& logo_picture) const;

    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    png::ColorType color_type_ = png::ColorType::kGray;
    int bit_depth_ = 0;
    bool interlaced_ = false;
    Plane samples_;
    Plane alpha_;
    std::vector<Color> palette_;
    std::array<std::uint8_t, 256> transparency_{};
    std::array<std::uint8_t, 256> gamma_{};
    TransparencyMode mode_ = TransparencyMode::kNone;
    Color key_color_;
    bool transparent_requested_ = false;
};

}  // namespace velmora
