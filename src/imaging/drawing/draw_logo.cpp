#include "imaging/drawing/draw_logo.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "base/numeric.hpp"

namespace velmora {

namespace {

// A corner computed at 64 bits, brought back into int. A corner beyond the int range lies beyond any
// photograph, and so does the clamped one: nothing of the logo shows either way.
int clamp_to_int(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int centre(int picture_size, int logo_size) {
    const Extended half = divide(picture_size, 2.0L) - divide(logo_size, 2.0L);
    return round_half_even(half);
}

enum class Blend { kAlpha, kKeyed, kOpaque };

struct Span {
    int begin;
    int end;  // one past the last
};

// The part of [origin, origin + size) that lies within [0, limit), at 64 bits so no sum overflows.
Span visible(int origin, int size, int limit) {
    const std::int64_t begin = std::max<std::int64_t>(origin, 0);
    const std::int64_t end = std::min<std::int64_t>(std::int64_t{origin} + size, limit);
    return begin < end ? Span{static_cast<int>(begin), static_cast<int>(end)} : Span{0, 0};
}

void set_index_at(std::uint8_t* row, int x, int bits, int index) {
    switch (bits) {
        case 1: {
            const int mask = 1 << (7 - (x & 7));
            row[x >> 3] = static_cast<std::uint8_t>((row[x >> 3] & ~mask) | (index ? mask : 0));
            break;
        }
        case 4:
            row[x >> 1] = static_cast<std::uint8_t>((x & 1) ? (row[x >> 1] & 0xF0) | (index & 0x0F)
                                                            : (row[x >> 1] & 0x0F) | (index << 4));
            break;
        default:
            row[x] = static_cast<std::uint8_t>(index);
    }
}

// Logo pixels [first, first + count) of row y as blue, green, red, alpha (alpha 255), for the indexed
// logo forms, which do not hold pixels of three or four bytes.
void read_indexed_logo_row(const Picture& logo, int y, int first, int count, std::uint8_t* out) {
    const std::uint8_t* row = logo.scanline(y);
    const int bits = bits_per_pixel(logo.pixel_format());
    for (int i = 0; i < count; ++i, out += 4) {
        const Color c = logo.palette_color(index_at(row, first + i, bits));
        out[0] = c.blue;
        out[1] = c.green;
        out[2] = c.red;
        out[3] = 255;
    }
}

// P + D (255 - A) / 255, rounded to nearest (255 is odd, so there is no tie).
inline std::uint8_t over(unsigned premultiplied, unsigned destination, unsigned alpha) {
    return static_cast<std::uint8_t>(premultiplied + (destination * (255 - alpha) + 127) / 255);
}

// Makes `d` (blue, green, red) the drawn colour of one logo pixel over it; false when the pixel leaves
// the photo as it is.
template <Blend kBlend>
inline bool drawn_color(const std::uint8_t* logo, const Color& key, std::uint8_t* d) {
    if constexpr (kBlend == Blend::kAlpha) {
        const unsigned a = logo[3];
        if (a == 0) return false;  // P is 0 as well: nothing changes
        if (a == 255) {
            std::copy_n(logo, 3, d);
        } else {
            for (int c = 0; c < 3; ++c) d[c] = over(logo[c], d[c], a);
        }
        return true;
    } else {
        if (kBlend == Blend::kKeyed && logo[0] == key.blue && logo[1] == key.green && logo[2] == key.red) {
            return false;
        }
        std::copy_n(logo, 3, d);
        return true;
    }
}

// The palette entry nearest to a colour by squared distance, the first of equals. For a palette of
// grays the distance depends only on red + green + blue, so a table over that sum answers at once.
class NearestEntry {
  public:
    explicit NearestEntry(std::vector<Color> palette) : palette_(std::move(palette)) {
        gray_ = std::all_of(palette_.begin(), palette_.end(),
                            [](const Color& c) { return c.red == c.green && c.green == c.blue; });
        if (!gray_ || palette_.empty()) return;
        for (int sum = 0; sum < static_cast<int>(by_sum_.size()); ++sum) {
            int best = 0;
            for (int i = 1; i < static_cast<int>(palette_.size()); ++i) {
                if (std::abs(3 * palette_[static_cast<std::size_t>(i)].red - sum) <
                    std::abs(3 * palette_[static_cast<std::size_t>(best)].red - sum)) {
                    best = i;
                }
            }
            by_sum_[static_cast<std::size_t>(sum)] = static_cast<std::uint8_t>(best);
        }
    }

    int operator()(std::uint8_t blue, std::uint8_t green, std::uint8_t red) const {
        if (palette_.empty()) return 0;
        if (gray_) return by_sum_[static_cast<std::size_t>(blue + green + red)];
        int best = 0;
        long best_distance = std::numeric_limits<long>::max();
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            const long db = palette_[i].blue - blue, dg = palette_[i].green - green,
                       dr = palette_[i].red - red;
            const long distance = db * db + dg * dg + dr * dr;
            if (distance < best_distance) {
                best_distance = distance;
                best = static_cast<int>(i);
            }
        }
        return best;
    }

  private:
    std::vector<Color> palette_;
    bool gray_ = false;
    std::array<std::uint8_t, 766> by_sum_{};
};

template <Blend kBlend, int kLogoBytes, int kPhotoBytes>
void compose_direct(const std::uint8_t* logo, const Color& key, std::uint8_t* photo, int count) {
    for (int i = 0; i < count; ++i, logo += kLogoBytes, photo += kPhotoBytes) {
        if (drawn_color<kBlend>(logo, key, photo) && kBlend == Blend::kAlpha && kPhotoBytes == 4) {
            photo[3] = over(logo[3], photo[3], logo[3]);
        }
    }
}

template <Blend kBlend, int kLogoBytes>
void compose_indexed(const std::uint8_t* logo, const Color& key, const std::vector<Color>& palette,
                     const NearestEntry& nearest, std::uint8_t* row, int bits, int first, int count) {
    for (int i = 0; i < count; ++i, logo += kLogoBytes) {
        const int x = first + i;
        const auto index = static_cast<std::size_t>(index_at(row, x, bits));
        const Color under = index < palette.size() ? palette[index] : Color{};
        std::uint8_t d[3] = {under.blue, under.green, under.red};
        if (drawn_color<kBlend>(logo, key, d)) set_index_at(row, x, bits, nearest(d[0], d[1], d[2]));
    }
}

// Everything one draw needs, fixed before the first row.
struct DrawJob {
    const Picture& logo;
    Picture& photo;
    LogoOrigin origin;
    Span columns;
    Span rows;
    Color key;
};

template <Blend kBlend, int kLogoBytes>
void draw_rows(const DrawJob& job) {
    const int count = job.columns.end - job.columns.begin;
    const std::ptrdiff_t first = job.columns.begin - job.origin.x;
    const bool indexed = is_indexed(job.photo.pixel_format());
    const int photo_bits = bits_per_pixel(job.photo.pixel_format());
    const std::vector<Color> palette = job.photo.palette();  // a copy: the photo is written below
    const NearestEntry nearest(indexed ? palette : std::vector<Color>{});
    for (int y = job.rows.begin; y < job.rows.end; ++y) {
        const std::uint8_t* logo = job.logo.scanline(y - job.origin.y) + first * kLogoBytes;
        std::uint8_t* row = job.photo.scanline(y);
        const std::ptrdiff_t x = job.columns.begin;
        if (indexed) {
            compose_indexed<kBlend, kLogoBytes>(logo, job.key, palette, nearest, row, photo_bits,
                                                job.columns.begin, count);
        } else if (photo_bits == 32) {
            compose_direct<kBlend, kLogoBytes, 4>(logo, job.key, row + 4 * x, count);
        } else {
            compose_direct<kBlend, kLogoBytes, 3>(logo, job.key, row + 3 * x, count);
        }
    }
}

template <int kLogoBytes>
void draw_by_blend(Blend blend, const DrawJob& job) {
    switch (blend) {
        case Blend::kAlpha:
            draw_rows<Blend::kAlpha, kLogoBytes>(job);
            break;
        case Blend::kKeyed:
            draw_rows<Blend::kKeyed, kLogoBytes>(job);
            break;
        case Blend::kOpaque:
            draw_rows<Blend::kOpaque, kLogoBytes>(job);
            break;
    }
}

}  // namespace

std::optional<LogoOrigin> logo_origin(int position_index, int picture_width, int picture_height,
                                      int logo_width, int logo_height, int inset_horizontal,
                                      int inset_vertical) {
    const std::int64_t right = std::int64_t{picture_width} - logo_width - inset_horizontal;
    const std::int64_t bottom = std::int64_t{picture_height} - logo_height - inset_vertical;
    switch (position_index) {
        case 1:
            return LogoOrigin{centre(picture_width, logo_width), centre(picture_height, logo_height)};
        case 2:
            return LogoOrigin{inset_horizontal, inset_vertical};
        case 3:
            return LogoOrigin{clamp_to_int(right), inset_vertical};
        case 4:
            return LogoOrigin{inset_horizontal, clamp_to_int(bottom)};
        case 5:
            return LogoOrigin{clamp_to_int(right), clamp_to_int(bottom)};
        default:
            return std::nullopt;
    }
}

void draw_logo(const Picture& logo_picture, Picture& photo, LogoOrigin origin) {
    const Span columns = visible(origin.x, logo_picture.width(), photo.width());
    const Span rows = visible(origin.y, logo_picture.height(), photo.height());
    if (columns.begin == columns.end || rows.begin == rows.end) return;

    const PixelFormat form = logo_picture.pixel_format();
    const std::optional<Color>& key = logo_picture.transparent_color();
    const Blend blend = logo_picture.has_alpha() && form == PixelFormat::k32Bit ? Blend::kAlpha
                        : key                                                   ? Blend::kKeyed
                                                                                : Blend::kOpaque;
    if (form == PixelFormat::k32Bit || form == PixelFormat::k24Bit) {
        const DrawJob job{logo_picture, photo, origin, columns, rows, key.value_or(Color{})};
        form == PixelFormat::k32Bit ? draw_by_blend<4>(blend, job) : draw_by_blend<3>(blend, job);
        return;
    }
    // An indexed logo picture is drawn from a 32-bit copy of the part that shows.
    Picture part;
    part.set_pixel_format(PixelFormat::k32Bit);
    part.set_size(columns.end - columns.begin, rows.end - rows.begin);
    for (int y = rows.begin; y < rows.end; ++y) {
        read_indexed_logo_row(logo_picture, y - origin.y, columns.begin - origin.x,
                              columns.end - columns.begin, part.scanline(y - rows.begin));
    }
    part.set_transparent_color(key);
    draw_logo(part, photo, LogoOrigin{columns.begin, rows.begin});
}

}  // namespace velmora
