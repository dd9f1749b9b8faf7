#include "imaging/codecs/png_logo.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "support/png_writer.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

TEST(PngLogo, TruecolourWithAlphaConvertsToPremultipliedPixels) {
    // Row 0: white at alpha 128, red opaque; row 1: green at alpha 0, blue at 255 (Sub filter).
    // The Sub filter stores the second pixel of row 1 as its difference from the first.
    const Bytes raw{0, 255, 255, 255, 128, 255, 0, 0,   255,  //
                    1, 0,   255, 0,   0,   0,   1, 255, 255};
    PngLogo logo;
    logo.load_from_memory(simple_png(2, 2, 8, 6, raw));
    EXPECT_EQ(logo.width(), 2);
    EXPECT_EQ(logo.height(), 2);
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kAlpha);
    EXPECT_EQ(Bytes(logo.samples().begin(), logo.samples().end()),
              (Bytes{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
    EXPECT_EQ(Bytes(logo.alpha_plane().begin(), logo.alpha_plane().end()), (Bytes{128, 255, 0, 255}));

    Picture picture;
    logo.convert_into(picture);
    ASSERT_EQ(picture.pixel_format(), PixelFormat::k32Bit);
    EXPECT_TRUE(picture.has_alpha());
    const std::uint8_t* row0 = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row0, row0 + 8), (Bytes{128, 128, 128, 128, 0, 0, 255, 255}));
    const std::uint8_t* row1 = std::as_const(picture).scanline(1);
    EXPECT_EQ(Bytes(row1, row1 + 8), (Bytes{0, 0, 0, 0, 255, 0, 0, 255}));
}

TEST(PngLogo, PremultiplyingRoundsToNearest) {
    // (s * a + 127) / 255 per channel. Red 100, green 1, blue 200 at alpha 128: 12927 / 255 = 50,
    // 255 / 255 = 1 (truncating 128 / 255 gives 0), 25727 / 255 = 100. Gray 1 at alpha 127:
    // 254 / 255 = 0, where adding 128 instead of 127 would give 1.
    const Bytes raw{0, 100, 1, 200, 128, 1, 1, 1, 127};
    PngLogo logo;
    logo.load_from_memory(simple_png(2, 1, 8, 6, raw));
    Picture picture;
    logo.convert_into(picture);
    const std::uint8_t* row = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row, row + 8), (Bytes{100, 1, 50, 128, 0, 0, 0, 127}));
}

TEST(PngLogo, TruecolourWithoutTransparencyIsAnOpaqueRectangle) {
    const Bytes raw{0, 10, 20, 30, 40, 50, 60};
    PngLogo logo;
    logo.load_from_memory(simple_png(2, 1, 8, 2, raw));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kNone);
    Picture picture;
    logo.convert_into(picture);
    ASSERT_EQ(picture.pixel_format(), PixelFormat::k24Bit);
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
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kNone);
    ASSERT_EQ(logo.palette().size(), 4u);
    Picture picture;
    logo.convert_into(picture);
    const std::uint8_t* row = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row, row + 12), (Bytes{0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255}));

    // Exactly one zero byte: its entry's colour is the key, and so is every entry of that colour.
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {255, 0})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kSingleColor);
    EXPECT_EQ(logo.key_color(), (Color{255, 0, 0}));
    logo.convert_into(picture);
    EXPECT_EQ(picture.transparent_color(), (Color{255, 0, 0}));
    EXPECT_FALSE(picture.has_alpha());

    // Exactly one byte other than 255, and it is not 0: single colour with black as the key.
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {255, 128, 255})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kSingleColor);
    EXPECT_EQ(logo.key_color(), (Color{0, 0, 0}));

    // All 255: alpha mode, opaque. Two translucent entries: alpha mode with (s * a + 255) div 256.
    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {255, 255, 255, 255})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kAlpha);
    logo.convert_into(picture);
    row = std::as_const(picture).scanline(0);
    EXPECT_EQ(Bytes(row, row + 16), (Bytes{0, 0, 0, 255, 0, 0, 255, 255, 0, 255, 0, 255, 0, 0, 255, 255}));

    logo.load_from_memory(simple_png(4, 1, 8, 3, raw, {plte, chunk("tRNS", {0, 128, 255, 64})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kAlpha);
    logo.convert_into(picture);
    row = std::as_const(picture).scanline(0);
    // 255 * 128: (32640 + 255) div 256 = 128; 255 * 64: (16320 + 255) div 256 = 64.
    EXPECT_EQ(Bytes(row, row + 16), (Bytes{0, 0, 0, 0, 0, 0, 128, 128, 0, 255, 0, 255, 0, 0, 64, 64}));
}

TEST(PngLogo, LoadReadsTheFileAndReportsAMissingOne) {
    TestFolder folder;
    const std::filesystem::path path = folder.path() / "logo.png";
    const Bytes file = simple_png(1, 1, 8, 2, {0, 1, 2, 3});
    write_file_atomically(path, file);

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
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kNone);
    EXPECT_FALSE(after.transparent_color().has_value());
    EXPECT_EQ(std::as_const(after).scanline(0)[0], std::as_const(before).scanline(0)[0]);
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

Bytes samples_of(const PngLogo& logo) {
    return Bytes(logo.samples().begin(), logo.samples().end());
}

TEST(PngLogoSamples, GammaTableFromTheGamaChunk) {
    const Bytes red128{0, 128, 1, 64};
    PngLogo logo;
    logo.load_from_memory(simple_png(1, 1, 8, 2, red128, {chunk("gAMA", test::be32(100000))}));
    EXPECT_EQ(samples_of(logo), (Bytes{186, 21, 136}));
    EXPECT_EQ(logo.gamma_table()[0], 0);
    EXPECT_EQ(logo.gamma_table()[255], 255);
    Picture picture;
    logo.convert_into(picture);
    EXPECT_EQ(std::as_const(picture).scanline(0)[2], 186) << "a red sample of 128 is drawn as 186";

    for (const std::uint32_t identity : {45455u, 0u}) {
        logo.load_from_memory(simple_png(1, 1, 8, 2, red128, {chunk("gAMA", test::be32(identity))}));
        EXPECT_EQ(samples_of(logo), (Bytes{128, 1, 64})) << identity;
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(logo.gamma_table()[static_cast<std::size_t>(i)], i) << identity;
    }

    // The table applies to what follows the gAMA chunk: the palette after it, not the one before.
    const Bytes plte = chunk("PLTE", {128, 1, 64});
    const Bytes gama = chunk("gAMA", test::be32(100000));
    logo.load_from_memory(simple_png(1, 1, 8, 3, {0, 0}, {gama, plte}));
    EXPECT_EQ(logo.palette()[0], (Color{186, 21, 136}));
    logo.load_from_memory(simple_png(1, 1, 8, 3, {0, 0}, {plte, gama}));
    EXPECT_EQ(logo.palette()[0], (Color{128, 1, 64}));

    // Gray with alpha keeps its gray bytes, and alpha is never corrected.
    logo.load_from_memory(simple_png(2, 1, 8, 4, {0, 128, 128, 64, 1}, {gama}));
    EXPECT_EQ(samples_of(logo), (Bytes{128, 64}));
    EXPECT_EQ(Bytes(logo.alpha_plane().begin(), logo.alpha_plane().end()), (Bytes{128, 1}));
    logo.load_from_memory(simple_png(1, 1, 8, 6, {0, 128, 128, 128, 128}, {gama}));
    EXPECT_EQ(samples_of(logo), (Bytes{186, 186, 186}));
    EXPECT_EQ(logo.alpha_plane()[0], 128);
    // Gray levels are widened first, then corrected: 4-bit 8 is the level 136.
    logo.load_from_memory(simple_png(1, 1, 4, 0, {0, 0x80}, {gama}));
    EXPECT_EQ(samples_of(logo), (Bytes{logo.gamma_table()[136]}));
}

TEST(PngLogoSamples, DepthsReduceAndWiden) {
    PngLogo logo;
    logo.load_from_memory(simple_png(1, 1, 16, 2, {0, 0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}));
    EXPECT_EQ(samples_of(logo), (Bytes{0x12, 0xAB, 0xFF})) << "the most significant byte of each sample";
    logo.load_from_memory(simple_png(2, 1, 16, 4, {0, 0x80, 0x01, 0x40, 0xFF, 0x7F, 0xFF, 0x00, 0x01}));
    EXPECT_EQ(samples_of(logo), (Bytes{0x80, 0x7F}));
    EXPECT_EQ(Bytes(logo.alpha_plane().begin(), logo.alpha_plane().end()), (Bytes{0x40, 0x00}));

    logo.load_from_memory(simple_png(8, 1, 1, 0, {0, 0b10110000}));
    EXPECT_EQ(samples_of(logo), (Bytes{255, 0, 255, 255, 0, 0, 0, 0}));
    logo.load_from_memory(simple_png(5, 1, 2, 0, {0, 0b00011011, 0b11000000}));
    EXPECT_EQ(samples_of(logo), (Bytes{0, 85, 170, 255, 255}));
    logo.load_from_memory(simple_png(3, 1, 4, 0, {0, 0x0F, 0x70}));
    EXPECT_EQ(samples_of(logo), (Bytes{0, 255, 119}));
    logo.load_from_memory(simple_png(3, 1, 4, 3, {0, 0x0F, 0x70}, {chunk("PLTE", Bytes(48, 1))}));
    EXPECT_EQ(samples_of(logo), (Bytes{0, 15, 7})) << "palette indices are kept as they are";
}

TEST(PngLogoSamples, KeyColoursOfGrayAndTruecolour) {
    PngLogo logo;
    Picture picture;
    // 4-bit gray with tRNS 5: the key is the gray 5 * 17 = 85.
    logo.load_from_memory(simple_png(2, 1, 4, 0, {0, 0x5A}, {chunk("tRNS", {0, 5})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kSingleColor);
    EXPECT_EQ(logo.key_color(), (Color{85, 85, 85}));
    logo.convert_into(picture);
    EXPECT_EQ(picture.transparent_color(), (Color{85, 85, 85}));
    // A gray value beyond the bit depth matches no pixel: the chunk is ignored.
    logo.load_from_memory(simple_png(2, 1, 4, 0, {0, 0x5A}, {chunk("tRNS", {0, 16})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kNone);
    // 16-bit: the most significant byte, as the samples keep it, so the pixel of the tRNS value is
    // the one left out.
    logo.load_from_memory(
        simple_png(2, 1, 16, 0, {0, 0x12, 0x34, 0x34, 0x12}, {chunk("tRNS", {0x12, 0x34})}));
    EXPECT_EQ(logo.key_color(), (Color{0x12, 0x12, 0x12}));
    EXPECT_EQ(samples_of(logo), (Bytes{0x12, 0x34}));
    logo.load_from_memory(
        simple_png(1, 1, 16, 2, {0, 1, 2, 3, 4, 5, 6}, {chunk("tRNS", {0xA0, 1, 0xB0, 2, 0xC0, 3})}));
    EXPECT_EQ(logo.key_color(), (Color{0xA0, 0xB0, 0xC0}));
    // An 8-bit truecolour value above 255 matches no pixel either.
    logo.load_from_memory(simple_png(1, 1, 8, 2, {0, 1, 2, 3}, {chunk("tRNS", {0, 1, 1, 2, 0, 3})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kNone);
    // Truecolour: each low-order byte through the gamma table.
    logo.load_from_memory(simple_png(
        1, 1, 8, 2, {0, 1, 2, 3}, {chunk("gAMA", test::be32(100000)), chunk("tRNS", {0, 1, 0, 64, 0, 128})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kSingleColor);
    EXPECT_EQ(logo.key_color(), (Color{21, 136, 186}));
    EXPECT_EQ(logo.transparency_values()[1], 1);
    EXPECT_EQ(logo.transparency_values()[6], 255);
    // Too short for its samples: ignored.
    logo.load_from_memory(simple_png(1, 1, 8, 2, {0, 1, 2, 3}, {chunk("tRNS", {0, 1})}));
    EXPECT_EQ(logo.transparency_mode(), TransparencyMode::kNone);
}

}  // namespace
}  // namespace velmora::test
