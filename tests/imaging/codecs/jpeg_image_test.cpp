#include "imaging/codecs/jpeg_image.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

// A 24-bit picture with a smooth gradient, so that a lossy round trip stays close.
Picture gradient(int width, int height) {
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
            row[3 * x + 2] = 128;
        }
    }
    return picture;
}

int largest_difference(const Picture& a, const Picture& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width() * 3; ++x) {
            largest = std::max(largest, std::abs(a.scanline(y)[x] - b.scanline(y)[x]));
        }
    }
    return largest;
}

TEST(JpegImage, EncodesAndDecodesAPictureInBlueGreenRedOrder) {
    const Picture source = gradient(64, 48);
    JpegImage encoder;
    EXPECT_EQ(encoder.quality(), 90);
    encoder.take(source);
    EXPECT_EQ(encoder.width(), 64);
    EXPECT_EQ(encoder.height(), 48);
    encoder.set_quality(95);
    encoder.compress();
    ASSERT_GT(encoder.compressed_data().size(), 100u);

    JpegImage decoder;
    decoder.load_from_memory(encoder.compressed_data());
    EXPECT_EQ(decoder.width(), 64);
    EXPECT_EQ(decoder.height(), 48);
    EXPECT_FALSE(decoder.progressive());
    Picture decoded;
    decoder.decode_into(decoded);
    ASSERT_EQ(decoded.pixel_format(), PixelFormat::k24Bit);
    ASSERT_EQ(decoded.width(), 64);
    ASSERT_EQ(decoded.height(), 48);
    EXPECT_LE(largest_difference(source, decoded), 8);
    // Blue runs left to right, green top to bottom: a swap of blue and red would show here.
    EXPECT_LT(decoded.scanline(0)[0], 20);
    EXPECT_GT(decoded.scanline(0)[63 * 3], 235);
    EXPECT_NEAR(decoded.scanline(0)[63 * 3 + 2], 128, 8);
}

TEST(JpegImage, SavesAndLoadsFiles) {
    TestFolder folder;
    const auto path = folder.path() / "out.jpg";
    JpegImage image;
    image.take(gradient(33, 17));
    image.save(path);  // compresses first
    const std::vector<std::uint8_t> written = read_whole_file(path);
    EXPECT_EQ(written, image.compressed_data());

    JpegImage reader;
    reader.load(path);
    EXPECT_EQ(reader.width(), 33);
    EXPECT_EQ(reader.height(), 17);
    EXPECT_EQ(reader.compressed_data(), written);

    try {
        reader.load(folder.path() / "missing.jpg");
        FAIL() << "loading a missing file succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.message())
                      .rfind("Cannot open file \"" + (folder.path() / "missing.jpg").string() + "\". ", 0),
                  0u)
            << error.message();
    }
}

TEST(JpegImage, TakeKeepsItsOwnCopyAndDecodeHappensOncePerLoad) {
    Picture source = gradient(16, 16);
    JpegImage image;
    image.take(source);
    source.scanline(0)[0] = 255;  // a later write to the caller's picture is not seen
    Picture back;
    image.decode_into(back);  // after a take, the picture held is the one to encode
    EXPECT_EQ(back.scanline(0)[0], 0);
    image.compress();

    JpegImage loaded;
    loaded.load_from_memory(image.compressed_data());
    Picture first;
    Picture second;
    loaded.decode_into(first);
    loaded.decode_into(second);
    EXPECT_TRUE(first.shares_pixels_with(second)) << "the second decode_into reused the first decode";
    second.scanline(0)[0] ^= 0xFF;
    EXPECT_NE(first.scanline(0)[0], second.scanline(0)[0]);
}

TEST(JpegImage, EmptyPictureGivesEmptyOutputAndAFileOfZeroBytes) {
    TestFolder folder;
    JpegImage image;
    image.take(Picture{});
    image.compress();
    EXPECT_TRUE(image.compressed_data().empty());
    image.save(folder.path() / "empty.jpg");
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "empty.jpg"), 0u);
}

}  // namespace
}  // namespace velmora::test
