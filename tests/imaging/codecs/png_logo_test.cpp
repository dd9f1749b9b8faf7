#include "imaging/codecs/png_logo.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "png_test_files.hpp"
#include "test_folder.hpp"

namespace velmora {
namespace {

using test::Bytes;
using test::chunk;
using test::simple_png;

TEST(PngLogo, TruecolourWithAlphaConvertsToPremultipliedPixels) {
    // Row 0: white at alpha 128, red opaque; row 1: green at alpha 0, blue at 255 (Sub filter).
    // The Sub filter stores the second pixel of row 1 as its difference from the first.
    const Bytes raw{0, 255, 255, 255, 128, 255, 0, 0,   255,  //
                    1, 0,   255, 0,   0,   0,   1, 255, 255};
    PngLogo logo;
    logo.load_from_memory(simple_png(2, 2, 8, 6, raw));
    EXPECT_EQ(logo.width(), 2);
    EXPECT_EQ(logo.height(), 2);
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::alpha);
    EXPECT_EQ(Bytes(logo.samples().begin(), logo.samples().end()),
              (Bytes{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
    EXPECT_EQ(Bytes(logo.alpha_plane().begin(), logo.alpha_plane().end()), (Bytes{128, 255, 0, 255}));

    Picture picture;
    logo.convert_into(picture);
    ASSERT_EQ(picture.pixel_format(), PixelFormat::pf32bit);
    EXPECT_TRUE(picture.has_alpha());
    const std::uint8_t* row0 = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row0, row0 + 8), (Bytes{128, 128, 128, 128, 0, 0, 255, 255}));
    const std::uint8_t* row1 = std::as_const(picture).scanline(1);
    EXPECT_EQ(Bytes(row1, row1 + 8), (Bytes{0, 0, 0, 0, 255, 0, 0, 255}));
}

TEST(PngLogo, TruecolourWithoutTransparencyIsAnOpaqueRectangle) {
    const Bytes raw{0, 10, 20, 30, 40, 50, 60};
    PngLogo logo;
    logo.load_from_memory(simple_png(2, 1, 8, 2, raw));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::none);
    Picture picture;
    logo.convert_into(picture);
    ASSERT_EQ(picture.pixel_format(), PixelFormat::pf24bit);
    EXPECT_FALSE(picture.has_alpha());
    EXPECT_FALSE(picture.transparent_color().has_value());
    const std::uint8_t* row = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row, row + 6), (Bytes{30, 20, 10, 60, 50, 40}));
}

TEST(PngLogo, PaletteLogosByTheirTransparencyChunk) {
    const Bytes plte = chunk("PLTE", {0, 0, 0, 255, 0, 0, 0, 255, 0, 255, 0, 0});
    const Bytes raw{0, 0, 1, 2, 3};

    PngLogo logo;
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::none);
    ASSERT_EQ(logo.palette().size(), 4u);
    Picture picture;
    logo.convert_into(picture);
    const std::uint8_t* row = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row, row + 12), (Bytes{0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255}));

    // Exactly one zero byte: its entry's colour is the key, and so is every entry of that colour.
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {255, 0})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::single_color);
    EXPECT_EQ(logo.key_color(), (Color{255, 0, 0}));
    logo.convert_into(picture);
    EXPECT_EQ(picture.transparent_color(), (Color{255, 0, 0}));
    EXPECT_FALSE(picture.has_alpha());

    // Exactly one byte other than 255, and it is not 0: single colour with black as the key.
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {255, 128, 255})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::single_color);
    EXPECT_EQ(logo.key_color(), (Color{0, 0, 0}));

    // All 255: alpha mode, opaque. Two translucent entries: alpha mode with (s * a + 255) div 256.
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {255, 255, 255, 255})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::alpha);
    logo.convert_into(picture);
    row = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row, row + 16), (Bytes{0, 0, 0, 255, 0, 0, 255, 255, 0, 255, 0, 255, 0, 0, 255, 255}));

    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {0, 128, 255, 64})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::alpha);
    logo.convert_into(picture);
    row = std::as_const(picture).scanline(0);
    // 255 * 128: (32640 + 255) div 256 = 128; 255 * 64: (16320 + 255) div 256 = 64.
    EXPECT_EQ(Bytes(row, row + 16), (Bytes{0, 0, 0, 0, 0, 0, 128, 128, 0, 255, 0, 255, 0, 0, 64, 64}));
}

TEST(PngLogo, LoadReadsTheFileAndReportsAMissingOne) {
    TestFolder folder;
    const std::filesystem::path path = folder.path() / "logo.png";
    const Bytes file = simple_png(1, 1, 8, 2, {0, 1, 2, 3});
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);

    PngLogo logo;
    logo.load(path);
    EXPECT_EQ(logo.width(), 1);
    EXPECT_EQ(logo.samples()[2], 3);

    const std::string failure = [&] {
        try {
            logo.load(folder.path() / "missing.png");
        } catch (const Error& error) {
            return std::string(error.what());
        }
        return std::string();
    }();
    EXPECT_EQ(failure.rfind("Cannot open file \"", 0), 0u) << failure;
    EXPECT_EQ(logo.width(), 0) << "a failed load leaves nothing of the previous logo";
}

TEST(PngLogo, MarkTransparentChangesNothing) {
    const Bytes raw{0, 10, 20, 30};
    PngLogo logo;
    logo.load_from_memory(simple_png(1, 1, 8, 2, raw));
    Picture before;
    logo.convert_into(before);
    logo.mark_transparent();
    EXPECT_TRUE(logo.transparent_requested());
    Picture after;
    logo.convert_into(after);
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::none);
    EXPECT_FALSE(after.transparent_color().has_value());
    EXPECT_EQ(std::as_const(after).scanline(0)[0], std::as_const(before).scanline(0)[0]);
}

}  // namespace
}  // namespace velmora
