// Our encoder and decoder against the library's own command-line tools: identical bytes out of the
// encoder, identical pixels out of the decoder.
#include <gtest/gtest.h>

#include <string>

#include "imaging/codecs/jpeg_image.hpp"
#include "support/jpeg_writer.hpp"
#include "support/netpbm.hpp"
#include "support/platform_support.hpp"
#include "support/test_folder.hpp"
#include "support/test_pictures.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

#define SKIP_WITHOUT_TOOL(name)                             \
    if (!velmora::test::find_program(name))                 \
    GTEST_SKIP() << name                                    \
        " is not installed (package libjpeg-turbo-progs); " \
        "run scripts/bootstrap to compare against the library's tools"

std::vector<std::uint8_t> progressive_source() {
    CraftedJpeg crafted;
    crafted.samples.assign(8 * 8 * 3, 100);
    crafted.progressive = true;
    return write_crafted_jpeg(crafted);
}

std::vector<std::uint8_t> sequential_source() {
    CraftedJpeg crafted;
    crafted.samples.assign(8 * 8 * 3, 100);
    return write_crafted_jpeg(crafted);
}

TEST(JpegExactness, EncodedBytesMatchTheLibrarysCompressor) {
    SKIP_WITHOUT_TOOL("cjpeg");
    TestFolder folder;
    const std::vector<std::pair<std::string, Picture>> pictures = {
        {"photograph", photograph()}, {"flat", flat_picture(40, 24)}, {"edges", hard_edges(37, 29)},
        {"1x1", noise(1, 1, 1)},      {"7x3", noise(7, 3, 2)},        {"17x1000", noise(17, 1000, 3)},
    };
    for (const auto& [name, picture] : pictures) {
        const auto input = folder.path() / (name + ".ppm");
        write_ppm(input, picture);
        for (const int quality : {1, 50, 75, 100}) {
            for (const bool progressive : {false, true}) {
                SCOPED_TRACE(name + " quality " + std::to_string(quality) +
                             (progressive ? " progressive" : " baseline"));
                JpegImage image;
                // The progressive flag comes from the last load, as in a batch.
                image.load_from_memory(progressive ? progressive_source() : sequential_source());
                ASSERT_EQ(image.progressive(), progressive);
                image.take(picture);
                image.set_quality(static_cast<std::uint8_t>(quality));
                image.compress();

                const auto output = folder.path() / "cjpeg.jpg";
                const std::string command = "cjpeg -baseline -dct float -quality " + std::to_string(quality) +
                                            (progressive ? " -progressive" : "") + " -outfile " +
                                            velmora::test::shell_quoted(output) + " " +
                                            velmora::test::shell_quoted(input);
                ASSERT_EQ(velmora::test::run_command(command), 0) << command;
                EXPECT_TRUE(image.compressed_data() == read_bytes(output)) << "differs from: " << command;
            }
        }
    }
}

// Our decoded picture as the tool writes it: red first, gray pictures through their palette.
std::vector<std::uint8_t> as_netpbm_samples(const Picture& picture) {
    std::vector<std::uint8_t> samples;
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel_format() == PixelFormat::k8Bit) {
                samples.push_back(picture.palette_color(row[x]).red);
            } else {
                samples.push_back(row[3 * x + 2]);
                samples.push_back(row[3 * x + 1]);
                samples.push_back(row[3 * x + 0]);
            }
        }
    }
    return samples;
}

std::vector<std::uint8_t> gray_source(bool progressive) {
    const Netpbm photo = read_netpbm(jpeg_data("testorig.ppm"));
    CraftedJpeg crafted;
    crafted.width = photo.width;
    crafted.height = photo.height;
    crafted.components = 1;
    crafted.progressive = progressive;
    for (std::size_t i = 0; i < photo.samples.size(); i += 3) crafted.samples.push_back(photo.samples[i + 1]);
    return write_crafted_jpeg(crafted);
}

std::vector<std::uint8_t> encoded(const Picture& picture, bool progressive, int quality) {
    JpegImage image;
    image.load_from_memory(progressive ? progressive_source() : sequential_source());
    image.take(picture);
    image.set_quality(static_cast<std::uint8_t>(quality));
    image.compress();
    return image.compressed_data();
}

TEST(JpegExactness, DecodedPixelsMatchTheLibrarysDecompressor) {
    SKIP_WITHOUT_TOOL("djpeg");
    TestFolder folder;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> sources = {
        {"testorig.jpg", read_bytes(jpeg_data("testorig.jpg"))},
        {"testimgint.jpg (restart markers)", read_bytes(jpeg_data("testimgint.jpg"))},
        {"testimgari.jpg (arithmetic coding)", read_bytes(jpeg_data("testimgari.jpg"))},
        {"baseline photograph", encoded(photograph(), false, 75)},
        {"progressive photograph", encoded(photograph(), true, 75)},
        {"progressive 7x3", encoded(noise(7, 3, 4), true, 50)},
        {"baseline 17x1000", encoded(noise(17, 1000, 5), false, 100)},
        {"gray baseline", gray_source(false)},
        {"gray progressive", gray_source(true)},
    };
    for (const auto& [name, bytes] : sources) {
        SCOPED_TRACE(name);
        const auto input = folder.path() / "in.jpg";
        const auto output = folder.path() / "out.pnm";
        write_bytes(input, bytes);
        JpegImage image;
        image.load_from_memory(bytes);
        Picture decoded;
        image.decode_into(decoded);
        const bool gray = decoded.pixel_format() == PixelFormat::k8Bit;
        if (gray) {
            ASSERT_EQ(decoded.palette().size(), 236u);
        } else {
            ASSERT_EQ(decoded.pixel_format(), PixelFormat::k24Bit);
        }
        const std::string command =
            std::string("djpeg -dct float ") + (gray ? "-colors 236 -dither fs " : "") + "-outfile " +
            velmora::test::shell_quoted(output) + " " + velmora::test::shell_quoted(input);
        ASSERT_EQ(velmora::test::run_command(command), 0) << command;
        const Netpbm expected = read_netpbm(output);
        ASSERT_EQ(expected.width, decoded.width());
        ASSERT_EQ(expected.height, decoded.height());
        EXPECT_EQ(expected.channels, gray ? 1 : 3);
        EXPECT_TRUE(as_netpbm_samples(decoded) == expected.samples) << "differs from: " << command;
    }
}

TEST(JpegExactness, GraySourcesUseTheQuantizersLevels) {
    JpegImage image;
    image.load_from_memory(gray_source(false));
    Picture decoded;
    image.decode_into(decoded);
    ASSERT_EQ(decoded.pixel_format(), PixelFormat::k8Bit);
    ASSERT_EQ(decoded.palette().size(), 236u);
    for (int j = 0; j < 236; ++j) {
        const auto level = static_cast<std::uint8_t>((255 * j + 117) / 235);
        EXPECT_EQ(decoded.palette()[static_cast<std::size_t>(j)], (Color{level, level, level})) << j;
    }
}

}  // namespace
}  // namespace velmora::test
