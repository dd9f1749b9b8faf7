#include "imaging/picture.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "base/error.hpp"

namespace velmora {
namespace {

TEST(Picture, RowsArePaddedToFourBytes) {
    EXPECT_EQ(row_bytes(1, PixelFormat::k24Bit), 4u);
    EXPECT_EQ(row_bytes(5, PixelFormat::k24Bit), 16u);
    EXPECT_EQ(row_bytes(33, PixelFormat::k1Bit), 8u);
    EXPECT_EQ(row_bytes(9, PixelFormat::k4Bit), 8u);
    EXPECT_EQ(row_bytes(3, PixelFormat::k8Bit), 4u);
    EXPECT_EQ(row_bytes(3, PixelFormat::k32Bit), 12u);

    Picture picture;
    picture.set_size(5, 3);
    EXPECT_EQ(picture.stride(), 16);
    EXPECT_EQ(picture.scanline(1) - picture.scanline(0), 16);
    EXPECT_EQ(picture.scanline(2)[14], 0) << "new pixels are zero bytes";
}

TEST(Picture, RowAccessOutsideThePictureFails) {
    Picture picture;
    EXPECT_THROW(picture.scanline(0), Error);
    picture.set_size(2, 2);
    for (const int y : {-1, 2}) {
        try {
            picture.scanline(y);
            FAIL() << "row " << y << " was reached";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Scan line index out of range");
        }
    }
    picture.set_size(0, 2);  // no columns, but rows to reach
    EXPECT_NO_THROW(picture.scanline(1));
}

TEST(Picture, ConvertsIndexedAnd32BitPixelsTo24BitsInPlace) {
    Picture indexed;
    indexed.set_pixel_format(PixelFormat::k4Bit);
    indexed.set_size(3, 1);
    indexed.set_palette({{10, 20, 30}, {40, 50, 60}});
    indexed.scanline(0)[0] = 0x10;  // pixels 1 and 0
    indexed.scanline(0)[1] = 0x50;  // pixel 5 lies beyond the palette: black
    indexed.set_pixel_format(PixelFormat::k24Bit);
    const std::uint8_t expected[] = {60, 50, 40, 30, 20, 10, 0, 0, 0};
    EXPECT_EQ(std::memcmp(indexed.scanline(0), expected, sizeof expected), 0);

    Picture one_bit;
    one_bit.set_pixel_format(PixelFormat::k1Bit);
    one_bit.set_size(10, 1);
    one_bit.set_palette({{0, 0, 0}, {255, 255, 255}});
    one_bit.scanline(0)[1] = 0x40;  // pixel 9
    one_bit.set_pixel_format(PixelFormat::k24Bit);
    EXPECT_EQ(one_bit.scanline(0)[27], 255);
    EXPECT_EQ(one_bit.scanline(0)[24], 0);

    Picture wide;
    wide.set_pixel_format(PixelFormat::k32Bit);
    wide.set_size(2, 1);
    const std::uint8_t bgra[] = {1, 2, 3, 255, 4, 5, 6, 255};
    std::memcpy(wide.scanline(0), bgra, sizeof bgra);
    wide.set_pixel_format(PixelFormat::k24Bit);
    const std::uint8_t bgr[] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(std::memcmp(wide.scanline(0), bgr, sizeof bgr), 0);
    EXPECT_EQ(wide.stride(), 8);
}

TEST(Picture, CopiesShareUntilWrittenAndNeverSeeEachOthersWrites) {
    Picture original;
    original.set_size(4, 4);
    original.scanline(2)[0] = 7;
    Picture copy = original;
    EXPECT_TRUE(copy.shares_pixels_with(original));

    copy.scanline(2)[0] = 9;
    EXPECT_FALSE(copy.shares_pixels_with(original));
    EXPECT_EQ(std::as_const(original).scanline(2)[0], 7);
    EXPECT_EQ(std::as_const(copy).scanline(2)[0], 9);

    Picture second = original;
    original.scanline(0)[0] = 1;
    EXPECT_EQ(std::as_const(second).scanline(0)[0], 0);
    EXPECT_EQ(std::as_const(second).scanline(2)[0], 7);
}

TEST(Picture, MemoryIsBoundedAndAFailedRequestChangesNothing) {
    Picture picture;
    picture.set_size(10, 10);
    picture.scanline(0)[0] = 42;
    for (const auto& [w, h] : {std::pair{65500, 65500}, std::pair{2147483647, 1}, std::pair{1, 2147483647}}) {
        try {
            picture.set_size(w, h);
            FAIL() << w << " x " << h << " was allocated";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Out of memory");
        }
    }
    EXPECT_EQ(picture.width(), 10);
    EXPECT_EQ(picture.height(), 10);
    EXPECT_EQ(picture.scanline(0)[0], 42);
    EXPECT_THROW(picture.set_size(-1, 5), Error);
}

}  // namespace
}  // namespace velmora
