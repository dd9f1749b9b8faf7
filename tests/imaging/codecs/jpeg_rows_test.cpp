// Decoding row by row: the rows a caller is handed are those of the whole decoded picture brought to 24
// bits, for every kind of source and any number of rows a call, and failures leave nothing behind.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "base/error.hpp"
#include "imaging/codecs/jpeg_image.hpp"
#include "support/jpeg_writer.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

// The rows decode_rows hands over, `rows_per_call` at a time, one after the other without padding.
std::vector<std::uint8_t> streamed(JpegImage& image, int rows_per_call, std::vector<int>* counts = nullptr) {
    std::vector<std::uint8_t> bytes;
    const std::size_t row_size = 3 * static_cast<std::size_t>(image.width());
    image.decode_rows(rows_per_call, [&](const std::uint8_t* const* rows, int count) {
        for (int r = 0; r < count; ++r) bytes.insert(bytes.end(), rows[r], rows[r] + row_size);
        if (counts != nullptr) counts->push_back(count);
    });
    return bytes;
}

// The whole picture as decode_into gives it, brought to 24 bits, rows without padding.
std::vector<std::uint8_t> whole(JpegImage& image) {
    Picture picture;
    image.decode_into(picture);
    picture.set_pixel_format(PixelFormat::k24Bit);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < picture.height(); ++y) {
        bytes.insert(bytes.end(), picture.scanline(y), picture.scanline(y) + 3 * picture.width());
    }
    return bytes;
}

// A crafted source of the given size whose samples climb by `step` from one to the next, with the
// settings `adjust` makes.
std::vector<std::uint8_t> crafted_source(int width, int height, int components, int step,
                                         void (*adjust)(CraftedJpeg&)) {
    CraftedJpeg crafted;
    crafted.width = width;
    crafted.height = height;
    crafted.components = components;
    for (int i = 0; i < width * height * components; ++i)
        crafted.samples.push_back(static_cast<std::uint8_t>(i * step));
    adjust(crafted);
    return write_crafted_jpeg(crafted);
}

TEST(JpegRows, RowsAreThoseOfTheWholePictureInTwentyFourBits) {
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> sources = {
        {"baseline", read_bytes(jpeg_data("testorig.jpg"))},
        {"arithmetic", read_bytes(jpeg_data("testimgari.jpg"))},
        {"gray progressive", crafted_source(33, 17, 1, 5, [](CraftedJpeg& c) { c.progressive = true; })},
        {"Adobe CMYK", crafted_source(19, 21, 4, 13,
                                      [](CraftedJpeg& c) {
                                          c.in_color_space = JCS_CMYK;
                                          c.adobe_marker = true;
                                          c.jfif_marker = false;
                                      })},
    };
    for (const auto& [name, data] : sources) {
        JpegImage image;
        image.load_from_memory(data);
        JpegImage reference;
        reference.load_from_memory(data);
        const std::vector<std::uint8_t> expected = whole(reference);
        for (const int rows_per_call : {1, 7, 16, 100000}) {
            std::vector<int> counts;
            EXPECT_EQ(streamed(image, rows_per_call, &counts), expected) << name << ", " << rows_per_call;
            ASSERT_FALSE(counts.empty());
            EXPECT_EQ(counts.front(), std::min(rows_per_call, image.height())) << name;
        }
        // Once a decoded picture is held, its rows are handed over without decoding again.
        Picture held;
        image.decode_into(held);
        EXPECT_EQ(streamed(image, 5), expected) << name << ", held";
    }
}

TEST(JpegRows, FailuresEndTheDecodingAndLeaveTheObjectUsable) {
    JpegImage image;
    image.load_from_memory(read_bytes(jpeg_data("testorig.jpg")));
    const std::vector<std::uint8_t> expected = streamed(image, 16);

    // A failure of the caller's leaves as it is, after the rows handed over so far.
    int calls = 0;
    EXPECT_THROW(image.decode_rows(16,
                                   [&](const std::uint8_t* const*, int) {
                                       if (++calls == 3) throw Error("caller stops");
                                   }),
                 Error);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(streamed(image, 16), expected) << "a new decoding after the failed one";

    // A source the decoder refuses fails before any row is handed over.
    CraftedJpeg two;
    two.components = 2;
    two.in_color_space = JCS_UNKNOWN;
    two.jfif_marker = false;
    two.samples.assign(8 * 8 * 2, 100);
    image.load_from_memory(write_crafted_jpeg(two));
    calls = 0;
    try {
        image.decode_rows(4, [&](const std::uint8_t* const*, int) { ++calls; });
        ADD_FAILURE() << "a two-component source decoded";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "JPEG error #27");
    }
    EXPECT_EQ(calls, 0);

    // A file cut off in its scan decodes as far as the whole picture does, the rest filled alike.
    std::vector<std::uint8_t> cut = read_bytes(jpeg_data("testorig.jpg"));
    cut.resize(cut.size() / 2);
    image.load_from_memory(cut);
    JpegImage reference;
    reference.load_from_memory(cut);
    EXPECT_EQ(streamed(image, 16), whole(reference));
}

}  // namespace
}  // namespace velmora::test
