// An in-memory bitmap: width and height in pixels, a pixel form, rows from row 0 at the top, each row
// padded to a multiple of four bytes. Copies share their pixels until one of them is written
// (copy-on-write): a copy never sees later writes to the other, and costs nothing until then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/color.hpp"

namespace velmora {

// The failure of a row index outside 0 to height - 1.
inline constexpr std::string_view kScanLineOutOfRange = "Scan line index out of range";

enum class PixelFormat { k1Bit, k4Bit, k8Bit, k24Bit, k32Bit };

int bits_per_pixel(PixelFormat format);
bool is_indexed(PixelFormat format);

class Picture {
  public:
    Picture() = default;  // 0 x 0, 24 bits per pixel

    int width() const { return width_; }
    int height() const { return height_; }
    PixelFormat pixel_format() const { return format_; }
    std::ptrdiff_t stride() const { return stride_; }  // bytes from one row to the next

    // Gives the picture a new size; its pixels become zero bytes. The same size changes nothing.
    // A negative size fails with "Invalid picture size"; pixel bytes above the bound, or an allocation
    // the system refuses, fail with "Out of memory" and leave the picture as it was.
    void set_size(int width, int height);

    // Sets the pixel form. To 24 or 32 bits the pixels are converted in place: an indexed pixel becomes
    // its palette colour (black beyond the palette), a 32-bit pixel drops its fourth byte, a 24-bit pixel
    // gains a fourth byte of 0. To an indexed form the pixels become index 0 (the palette is kept).
    void set_pixel_format(PixelFormat format);

    // Row y's bytes; y outside 0 to height - 1 fails with "Scan line index out of range".
    // The writable overload first gives this picture its own copy of shared pixels.
    std::uint8_t* scanline(int y);
    const std::uint8_t* scanline(int y) const;

    // Palette of the indexed forms; the colour of an index.
    const std::vector<Color>& palette() const { return palette_; }
    void set_palette(std::vector<Color> palette) { palette_ = std::move(palette); }
    Color palette_color(int index) const;

    // Premultiplied alpha in the fourth byte of 32-bit pixels.
    bool has_alpha() const { return has_alpha_; }
    void set_has_alpha(bool on) { has_alpha_ = on; }

    // Pixels of this colour are not drawn when the picture is drawn transparently.
    const std::optional<Color>& transparent_color() const { return transparent_color_; }
    void set_transparent_color(std::optional<Color> color) { transparent_color_ = color; }

    // True when this picture and `other` share one pixel buffer (only copies do, until one is written).
    bool shares_pixels_with(const Picture& other) const;

  private:
    struct PixelBuffer;
    void check_row(int y) const;
    void detach();
    static std::shared_ptr<PixelBuffer> allocate(std::size_t bytes);

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::k24Bit;
    std::ptrdiff_t stride_ = 0;
    std::shared_ptr<PixelBuffer> pixels_;
    std::vector<Color> palette_;
    bool has_alpha_ = false;
    std::optional<Color> transparent_color_;
};

// A row laid out as `picture`'s rows are (its form and palette) as blue, green, red: `out_bytes` (3 or 4)
// bytes a pixel for its `width` pixels, a fourth byte left as it was. Indexed pixels become their
// palette colour (black beyond the palette); 32-bit ones drop their fourth byte.
void row_to_bgr(const Picture& picture, const std::uint8_t* row, std::uint8_t* out, int out_bytes);

// The palette index of pixel x of an indexed row of 1, 4 or 8 bits per pixel (high bits first).
int index_at(const std::uint8_t* row, int x, int bits);

// Bytes of one row of `width` pixels of `format`, padded to a multiple of four.
std::uint64_t row_bytes(int width, PixelFormat format);

}  // namespace velmora
