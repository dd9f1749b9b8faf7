#include "imaging/drawing/draw_logo.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "base/whole_number.hpp"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Picture filled(int width, int height, PixelFormat format, std::uint8_t value) {
    Picture picture;
    picture.set_pixel_format(format);
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        std::fill(row, row + picture.stride(), value);
    }
    return picture;
}

Bytes pixel(const Picture& picture, int x, int y) {
    const int bytes = bits_per_pixel(picture.pixel_format()) / 8;
    const std::uint8_t* p = picture.scanline(y) + x * bytes;
    return Bytes(p, p + bytes);
}

TEST(LogoOrigin, CentreRoundsHalvesToEven) {
    EXPECT_EQ(logo_origin(1, 801, 600, 100, 50, 7, 9), (LogoOrigin{350, 275})) << "350.5 goes to 350";
    EXPECT_EQ(logo_origin(1, 803, 601, 100, 50, 0, 0), (LogoOrigin{352, 276}))
        << "351.5 goes to 352, 275.5 to 276";
    EXPECT_EQ(logo_origin(1, 800, 600, 1000, 50, 0, 0), (LogoOrigin{-100, 275}));
}

TEST(LogoOrigin, CornersUseTheInsetsWithoutBounds) {
    EXPECT_EQ(logo_origin(2, 800, 600, 100, 50, 10, 20), (LogoOrigin{10, 20}));
    EXPECT_EQ(logo_origin(3, 800, 600, 100, 50, 10, 20), (LogoOrigin{690, 20}));
    EXPECT_EQ(logo_origin(4, 800, 600, 100, 50, 10, 20), (LogoOrigin{10, 530}));
    EXPECT_EQ(logo_origin(5, 800, 600, 100, 50, 10, 20), (LogoOrigin{690, 530}));
    // Inset texts as whole numbers: "abc" is 0, "-20" moves the logo beyond the edge.
    EXPECT_EQ(
        logo_origin(5, 800, 600, 100, 50, whole_number_from_text("abc", 0), whole_number_from_text("-20", 0)),
        (LogoOrigin{700, 570}));
    // Extreme insets do not overflow: the corner lands far outside.
    EXPECT_EQ(logo_origin(5, 800, 600, 100, 50, INT_MIN, INT_MIN), (LogoOrigin{INT_MAX, INT_MAX}));
    for (const int index : {-1, 0, 6, 99}) EXPECT_FALSE(logo_origin(index, 800, 600, 100, 50, 0, 0)) << index;
}

TEST(DrawLogo, AlphaOverCompositing) {
    // White at alpha 128 premultiplied is P = 128, A = 128; then alpha 0 and alpha 255.
    Picture logo = filled(3, 1, PixelFormat::k32Bit, 0);
    logo.set_has_alpha(true);
    std::uint8_t* row = logo.scanline(0);
    const Bytes pixels{128, 128, 128, 128, 0, 0, 0, 0, 10, 20, 30, 255};
    std::copy(pixels.begin(), pixels.end(), row);

    Picture black = filled(3, 1, PixelFormat::k24Bit, 0);
    draw_logo(logo, black, {0, 0});
    EXPECT_EQ(pixel(black, 0, 0), (Bytes{128, 128, 128}));
    EXPECT_EQ(pixel(black, 1, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(pixel(black, 2, 0), (Bytes{10, 20, 30}));

    Picture white = filled(3, 1, PixelFormat::k24Bit, 255);
    draw_logo(logo, white, {0, 0});
    EXPECT_EQ(pixel(white, 0, 0), (Bytes{255, 255, 255}));
    EXPECT_EQ(pixel(white, 1, 0), (Bytes{255, 255, 255})) << "alpha 0 leaves the photograph untouched";
    EXPECT_EQ(pixel(white, 2, 0), (Bytes{10, 20, 30}));
}

TEST(DrawLogo, AlphaOverRoundsToNearest) {
    // White at alpha 128 (P = 128, A = 128) over 100: 128 + (100 * 127 + 127) / 255 = 128 + 12827 / 255,
    // which is 178; truncating 12700 / 255 would give 177. Over 1: 128 + (127 + 127) / 255 is 128,
    // where adding 128 before dividing would reach 255 / 255 and give 129.
    Picture logo = filled(1, 1, PixelFormat::k32Bit, 128);
    logo.set_has_alpha(true);
    Picture photo = filled(2, 1, PixelFormat::k24Bit, 100);
    std::fill(photo.scanline(0) + 3, photo.scanline(0) + 6, 1);
    draw_logo(logo, photo, {0, 0});
    draw_logo(logo, photo, {1, 0});
    EXPECT_EQ(pixel(photo, 0, 0), (Bytes{178, 178, 178}));
    EXPECT_EQ(pixel(photo, 1, 0), (Bytes{128, 128, 128}));
}

TEST(DrawLogo, KeyColourAndOpaqueCopies) {
    Picture logo = filled(2, 1, PixelFormat::k24Bit, 0);
    const Bytes pixels{0, 0, 255, 1, 2, 3};  // red, then (3, 2, 1)
    std::copy(pixels.begin(), pixels.end(), logo.scanline(0));

    Picture photo = filled(2, 1, PixelFormat::k24Bit, 50);
    draw_logo(logo, photo, {0, 0});
    EXPECT_EQ(pixel(photo, 0, 0), (Bytes{0, 0, 255})) << "opaque: every pixel replaces";

    logo.set_transparent_color(Color{255, 0, 0});
    photo = filled(2, 1, PixelFormat::k24Bit, 50);
    draw_logo(logo, photo, {0, 0});
    EXPECT_EQ(pixel(photo, 0, 0), (Bytes{50, 50, 50})) << "key-coloured pixels are not drawn";
    EXPECT_EQ(pixel(photo, 1, 0), (Bytes{1, 2, 3}));
}

TEST(DrawLogo, ClipsToThePhotograph) {
    // A 1000-wide logo centred on an 800-wide photo shows its middle 800 columns.
    Picture logo = filled(1000, 2, PixelFormat::k24Bit, 0);
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* row = logo.scanline(y);
        for (int x = 0; x < 1000; ++x) row[3 * x] = static_cast<std::uint8_t>(x % 251);
    }
    Picture photo = filled(800, 4, PixelFormat::k24Bit, 7);
    const auto origin = logo_origin(1, 800, 4, 1000, 2, 0, 0);
    ASSERT_TRUE(origin);
    draw_logo(logo, photo, *origin);
    EXPECT_EQ(pixel(photo, 0, 1)[0], 100 % 251);
    EXPECT_EQ(pixel(photo, 799, 2)[0], 899 % 251);
    EXPECT_EQ(pixel(photo, 0, 0), (Bytes{7, 7, 7}));
    EXPECT_EQ(pixel(photo, 0, 3), (Bytes{7, 7, 7}));

    // Any origin, however far out, touches nothing outside the photograph (the sanitizers watch).
    for (const LogoOrigin o :
         {LogoOrigin{-999, -1}, LogoOrigin{799, 3}, LogoOrigin{800, 0}, LogoOrigin{INT_MIN, 0},
          LogoOrigin{INT_MAX, INT_MAX}, LogoOrigin{0, INT_MIN}}) {
        Picture small = filled(3, 3, PixelFormat::k24Bit, 7);
        draw_logo(logo, small, o);
    }
    Picture small = filled(3, 3, PixelFormat::k24Bit, 7);
    draw_logo(logo, small, {-998, 2});  // logo columns 998, 999 onto photo columns 0, 1 of the last row
    EXPECT_EQ(pixel(small, 0, 2)[0], 998 % 251);
    EXPECT_EQ(pixel(small, 1, 2)[0], 999 % 251);
    EXPECT_EQ(pixel(small, 2, 2), (Bytes{7, 7, 7}));
    EXPECT_EQ(pixel(small, 0, 1), (Bytes{7, 7, 7}));
}

TEST(DrawLogo, OntoIndexedAndThirtyTwoBitPhotographs) {
    std::vector<Color> grays;
    for (int i = 0; i < 256; i += 5)
        grays.push_back(Color{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    Picture photo = filled(3, 1, PixelFormat::k8Bit, 0);  // index 0: black
    photo.set_palette(grays);

    Picture logo = filled(3, 1, PixelFormat::k32Bit, 0);
    logo.set_has_alpha(true);
    const Bytes pixels{128, 128, 128, 128, 0, 0, 0, 0, 0, 0, 255, 255};  // white at 128, clear, red
    std::copy(pixels.begin(), pixels.end(), logo.scanline(0));
    draw_logo(logo, photo, {0, 0});
    const std::uint8_t* row = std::as_const(photo).scanline(0);
    EXPECT_EQ(row[0], 26) << "128 lies nearest the gray 130";
    EXPECT_EQ(row[1], 0);
    EXPECT_EQ(row[2], 17) << "red averages to 85, the gray 85";

    // Four-bit photos keep the neighbouring pixel of a shared byte.
    Picture packed = filled(3, 1, PixelFormat::k4Bit, 0x12);
    packed.set_palette({Color{0, 0, 0}, Color{1, 1, 1}, Color{2, 2, 2}, Color{255, 255, 255}});
    Picture white = filled(1, 1, PixelFormat::k24Bit, 255);
    draw_logo(white, packed, {1, 0});
    EXPECT_EQ(std::as_const(packed).scanline(0)[0], 0x13);

    // On a 32-bit photo the fourth byte is composited too and stays 255 under an opaque photo.
    Picture wide = filled(3, 1, PixelFormat::k32Bit, 255);
    draw_logo(logo, wide, {0, 0});
    EXPECT_EQ(pixel(wide, 0, 0), (Bytes{255, 255, 255, 255}));
    EXPECT_EQ(pixel(wide, 2, 0), (Bytes{0, 0, 255, 255}));
}

}  // namespace
}  // namespace velmora
