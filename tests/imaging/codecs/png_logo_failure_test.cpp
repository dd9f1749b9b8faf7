// Every refusal of the PNG logo reader, each reached by a crafted file, and the bounds on what a file can
// make it allocate or inflate.
#include <gtest/gtest.h>

#include "base/error.hpp"
#include "imaging/codecs/png_format.hpp"
#include "imaging/codecs/png_inflater.hpp"
#include "imaging/codecs/png_logo.hpp"
#include "png_messages.hpp"
#include "support/png_writer.hpp"

namespace velmora::test {
namespace {

using namespace png_message;

std::string failure_of(const Bytes& file) {
    PngLogo logo;
    try {
        logo.load_from_memory(file);
    } catch (const Error& error) {
        return error.what();
    }
    return "(loaded)";
}

Bytes ihdr_chunk(std::uint32_t w, std::uint32_t h, int depth, int type, int interlace = 0) {
    return chunk("IHDR", ihdr_data(w, h, depth, type, interlace));
}

Bytes with_header_byte(int at, std::uint8_t value) {
    Bytes data = ihdr_data(1, 1, 8, 2);
    data[static_cast<std::size_t>(at)] = value;
    return png_file({chunk("IHDR", data), chunk("IDAT", zlib_compress({0, 1, 2, 3})), chunk("IEND", {})});
}

const Bytes kOnePixel = zlib_compress({0, 1, 2, 3});  // 1 x 1 truecolour, filter None

TEST(PngLogoFailures, TheFileStructure) {
    const Bytes good = simple_png(1, 1, 8, 2, {0, 1, 2, 3});
    ASSERT_EQ(failure_of(good), "(loaded)");

    Bytes bad_signature = good;
    bad_signature[3] = 'X';
    EXPECT_EQ(failure_of(bad_signature), kBadSignature);
    EXPECT_EQ(failure_of(Bytes(good.begin(), good.begin() + 5)), kBadSignature);
    EXPECT_EQ(failure_of({}), kBadSignature);

    EXPECT_EQ(failure_of(kSignature), kUnexpectedEnd);
    EXPECT_EQ(failure_of(Bytes(good.begin(), good.end() - 12)), kUnexpectedEnd) << "no IEND";
    EXPECT_EQ(failure_of(Bytes(good.begin(), good.end() - 10)), kUnexpectedEnd) << "a partial length";
    EXPECT_EQ(failure_of(Bytes(good.begin(), good.end() - 3)), kCrcError) << "cut off inside a chunk";

    Bytes bad_crc = good;
    bad_crc[8 + 8 + 13] ^= 1;  // the IHDR's CRC
    EXPECT_EQ(failure_of(bad_crc), kCrcError);
    Bytes bad_data = good;
    bad_data[8 + 8 + 4] ^= 0x80;  // a byte of the IHDR data
    EXPECT_EQ(failure_of(bad_data), kCrcError);
    // A length far beyond the file.
    EXPECT_EQ(failure_of(png_file({be32(0x7FFFFFF0)})), kCrcError);

    EXPECT_EQ(failure_of(png_file({chunk("gAMA", be32(45455)), ihdr_chunk(1, 1, 8, 2)})),
              std::string(kNotSupported) + "\r\n(IHDR chunk is not the first)");

    EXPECT_EQ(failure_of(png_file({ihdr_chunk(1, 1, 8, 2), chunk("IEND", {})})), kNoData);
    EXPECT_EQ(failure_of(png_file(
                  {ihdr_chunk(1, 1, 8, 2), chunk("QUUX", {1}), chunk("IDAT", kOnePixel), chunk("IEND", {})})),
              kUnknownCritical);
    EXPECT_EQ(
        failure_of(png_file({ihdr_chunk(1, 1, 8, 2), chunk("quUx", {1}), chunk("iTXt", {}),
                             chunk("tIME", {7}), chunk("cHRM", {}), chunk("pHYs", {}), chunk("tEXt", {}),
                             chunk("zTXt", {}), chunk("IDAT", kOnePixel), chunk("IEND", {})})),
        "(loaded)")
        << "unknown ancillary chunks and the known ones without meaning here are skipped";
}

TEST(PngLogoFailures, TheHeader) {
    EXPECT_EQ(failure_of(png_file({chunk("IHDR", Bytes(12, 1))})), kBadIhdr);
    Bytes long_header = ihdr_data(1, 1, 8, 2);
    long_header.push_back(0);
    EXPECT_EQ(failure_of(png_file({chunk("IHDR", long_header), chunk("IDAT", kOnePixel), chunk("IEND", {})})),
              "(loaded)");

    EXPECT_EQ(failure_of(png_file({ihdr_chunk(65536, 1, 8, 2)})), kTooLarge);
    EXPECT_EQ(failure_of(png_file({ihdr_chunk(1, 0xFFFFFFFF, 8, 2)})), kTooLarge);
    EXPECT_EQ(failure_of(with_header_byte(10, 1)), kUnknownCompression);
    EXPECT_EQ(failure_of(with_header_byte(12, 2)), kUnknownInterlace);

    const std::string not_supported = std::string(kNotSupported) + "\r\n(";
    EXPECT_EQ(failure_of(png_file({ihdr_chunk(0, 1, 8, 2)})), not_supported + "width or height is 0)");
    EXPECT_EQ(failure_of(png_file({ihdr_chunk(1, 0, 8, 2)})), not_supported + "width or height is 0)");
    EXPECT_EQ(failure_of(with_header_byte(11, 1)), not_supported + "unknown filter method)");
    for (const int type : {1, 5, 7, 255}) {
        EXPECT_EQ(failure_of(with_header_byte(9, static_cast<std::uint8_t>(type))),
                  not_supported + "invalid colour type)")
            << type;
    }
    const std::pair<int, int> forbidden[] = {{0, 3}, {0, 32}, {2, 4}, {3, 16}, {4, 1}, {6, 2}, {2, 0}};
    for (const auto& [type, depth] : forbidden) {
        EXPECT_EQ(failure_of(png_file({ihdr_chunk(1, 1, depth, type)})),
                  not_supported + "invalid bit depth for the colour type)")
            << type << "/" << depth;
    }
}

TEST(PngLogoFailures, PaletteAndTransparencyChunks) {
    const Bytes raw{0, 0};
    EXPECT_EQ(failure_of(simple_png(1, 1, 8, 3, raw, {chunk("PLTE", Bytes(4, 0))})), kInvalidPalette);
    EXPECT_EQ(failure_of(simple_png(1, 1, 8, 3, raw, {chunk("PLTE", Bytes(771, 0))})), kInvalidPalette);
    EXPECT_EQ(failure_of(simple_png(1, 1, 8, 3, raw, {chunk("PLTE", Bytes(768, 0))})), "(loaded)");
    EXPECT_EQ(failure_of(simple_png(1, 1, 8, 3, raw, {chunk("tRNS", Bytes(257, 0))})), kInvalidPalette);

    // An index beyond the palette: black without alpha, refused at conversion in alpha mode.
    PngLogo logo;
    logo.load_from_memory(simple_png(2, 1, 8, 3, {0, 0, 5}, {chunk("PLTE", {9, 9, 9})}));
    Picture picture;
    logo.convert_into(picture);
    EXPECT_EQ(std::as_const(picture).scanline(0)[3], 0);
    EXPECT_EQ(std::as_const(picture).scanline(0)[0], 9);
    logo.load_from_memory(simple_png(2, 1, 8, 3, {0, 0, 5}, {chunk("PLTE", {9, 9, 9}), chunk("tRNS", {})}));
    ASSERT_EQ(logo.transparency_mode(), TransparencyMode::kAlpha);
    try {
        logo.convert_into(picture);
        ADD_FAILURE() << "converted";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), kNoSuchPaletteEntry);
    }
}

TEST(PngLogoFailures, TheCompressedImageData) {
    const Bytes ihdr = ihdr_chunk(2, 2, 8, 0);
    const Bytes rows{0, 1, 2, 0, 3, 4};
    const Bytes compressed = zlib_compress(rows);

    // The stream split over many IDAT chunks, one byte each, decodes the same.
    Bytes split = png_file({ihdr});
    for (const std::uint8_t byte : compressed) {
        const Bytes c = chunk("IDAT", {byte});
        split.insert(split.end(), c.begin(), c.end());
    }
    const Bytes tail = png_file({chunk("tEXt", {}), chunk("IDAT", {1, 2, 3}), chunk("IEND", {})});
    split.insert(split.end(), tail.begin() + 8, tail.end());
    PngLogo logo;
    logo.load_from_memory(split);
    EXPECT_EQ(Bytes(logo.samples().begin(), logo.samples().end()), (Bytes{1, 2, 3, 4}))
        << "an IDAT after the first run is skipped";

    // The run of IDAT chunks ends before the stream does.
    const Bytes half(compressed.begin(),
                     compressed.begin() + static_cast<std::ptrdiff_t>(compressed.size() / 2));
    EXPECT_EQ(failure_of(png_file({ihdr, chunk("IDAT", half), chunk("IEND", {})})), kMissingParts);
    EXPECT_EQ(failure_of(png_file(
                  {ihdr, chunk("IDAT", half), chunk("tEXt", {}), chunk("IDAT", half), chunk("IEND", {})})),
              kMissingParts);
    // The stream ends before the last row.
    EXPECT_EQ(failure_of(png_file({ihdr, chunk("IDAT", zlib_compress({0, 1, 2})), chunk("IEND", {})})),
              kMissingParts);
    // A stream that never ends: a zlib header and empty stored blocks that are never the last.
    Bytes endless{0x78, 0x01};
    for (int i = 0; i < 10000; ++i) endless.insert(endless.end(), {0x00, 0x00, 0x00, 0xFF, 0xFF});
    EXPECT_EQ(failure_of(png_file({ihdr, chunk("IDAT", endless), chunk("IEND", {})})), kMissingParts);

    const std::string bad = kBadCompressedData;
    EXPECT_EQ(failure_of(png_file({ihdr, chunk("IDAT", {0x12, 0x34, 0x56}), chunk("IEND", {})})),
              bad + "data error (-3)");
    EXPECT_EQ(failure_of(png_file(
                  {ihdr, chunk("IDAT", Bytes(compressed.begin(), compressed.end() - 4)), chunk("IEND", {})})),
              "(loaded)")
        << "the image is complete before the checksum";

    EXPECT_EQ(
        failure_of(png_file({ihdr, chunk("IDAT", zlib_compress({5, 1, 2, 0, 3, 4})), chunk("IEND", {})})),
        std::string(kNotSupported) + "\r\n(unknown row filter type)");
}

TEST(PngLogoFailures, MemoryIsBounded) {
    // 65535 x 65535 truecolour with alpha would take 16 GiB: refused before anything that size exists.
    EXPECT_EQ(
        failure_of(png_file({ihdr_chunk(65535, 65535, 16, 6), chunk("IDAT", kOnePixel), chunk("IEND", {})})),
        "Out of memory");
    EXPECT_EQ(
        failure_of(png_file({ihdr_chunk(46341, 46341, 8, 0), chunk("IDAT", kOnePixel), chunk("IEND", {})})),
        "Out of memory")
        << "just above 2 GiB of gray";

    // A bomb: 16 MiB of zeros behind a 1 x 1 logo inflates no further than its one row.
    const Bytes bomb = zlib_compress(Bytes(16u << 20, 0));
    PngLogo logo;
    logo.load_from_memory(png_file({ihdr_chunk(1, 1, 8, 0), chunk("IDAT", bomb), chunk("IEND", {})}));
    EXPECT_EQ(logo.samples()[0], 0);
    EXPECT_EQ(logo.width(), 1);
}

}  // namespace
}  // namespace velmora::test
