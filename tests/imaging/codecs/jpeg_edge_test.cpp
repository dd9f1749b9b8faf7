// What can really break: the structure of every output, the library's error codes, cut-off files,
// CMYK sources, quantization tables, the progressive flag and the memory bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include <jpeglib.h>

#include "base/error.hpp"
#include "imaging/codecs/jpeg_image.hpp"
#include "support/jpeg_segments.hpp"
#include "support/jpeg_writer.hpp"
#include "support/test_folder.hpp"
#include "support/test_pictures.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

std::string message_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message();
    }
    return "(no error)";
}

std::vector<std::uint8_t> bytes_of(const std::string& text) {
    return {text.begin(), text.end()};
}

CraftedJpeg gray_ramp(int width, int height) {
    CraftedJpeg crafted;
    crafted.width = width;
    crafted.height = height;
    for (int i = 0; i < width * height * 3; ++i) crafted.samples.push_back(static_cast<std::uint8_t>(i * 7));
    return crafted;
}

// Where the first marker `code` starts in `jpeg`.
std::vector<std::uint8_t>::iterator find_marker(std::vector<std::uint8_t>& jpeg, int code) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return jpeg.begin() + static_cast<std::ptrdiff_t>(i);
    }
    throw std::runtime_error("marker not found");
}

std::vector<int> markers_of(const std::vector<std::uint8_t>& jpeg) {
    std::vector<int> markers;
    for (const Segment& segment : segments_of(jpeg)) markers.push_back(segment.marker);
    return markers;
}

std::vector<std::uint8_t> reencoded(const std::vector<std::uint8_t>& source) {
    JpegImage image;
    image.load_from_memory(source);
    Picture picture;
    image.decode_into(picture);
    image.take(picture);
    image.compress();
    return image.compressed_data();
}

TEST(JpegOutput, HoldsOnlyJfifTablesFrameAndScansWhateverTheSourceCarried) {
    CraftedJpeg crafted = gray_ramp(16, 8);
    crafted.density_unit = 1;
    crafted.density = 300;
    // EXIF with orientation 6 (rotate by 90 degrees), an ICC profile, a comment.
    std::vector<std::uint8_t> exif = bytes_of(std::string("Exif\0\0MM\0*\0\0\0\x08\0\x01", 16));
    for (const int byte :
         {0x01, 0x12, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x06, 0x00, 0x00, 0, 0, 0, 0}) {
        exif.push_back(static_cast<std::uint8_t>(byte));
    }
    std::vector<std::uint8_t> icc = bytes_of(std::string("ICC_PROFILE\0\x01\x01", 14));
    icc.resize(icc.size() + 200, 0x5A);
    crafted.markers = {{JPEG_APP0 + 1, exif}, {JPEG_APP0 + 2, icc}, {JPEG_COM, bytes_of("made by a test")}};
    for (const bool progressive : {false, true}) {
        crafted.progressive = progressive;
        const std::vector<std::uint8_t> source = write_crafted_jpeg(crafted);
        const std::vector<int> source_markers = markers_of(source);
        ASSERT_EQ(std::count(source_markers.begin(), source_markers.end(), JPEG_APP0 + 1), 1);

        JpegImage image;
        image.load_from_memory(source);
        EXPECT_EQ(image.width(), 16) << "orientation has no effect";
        EXPECT_EQ(image.height(), 8);
        const std::vector<std::uint8_t> output = reencoded(source);
        const std::vector<Segment> segments = segments_of(output);
        const std::vector<int> markers = markers_of(output);

        ASSERT_GE(segments.size(), 6u);
        EXPECT_EQ(markers.front(), 0xD8);
        EXPECT_EQ(markers.back(), 0xD9);
        EXPECT_EQ(markers[1], JPEG_APP0);
        const std::vector<std::uint8_t> jfif = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
        EXPECT_EQ(segments[1].contents, jfif) << "JFIF 1.01, density unit 0, density 1 x 1, no thumbnail";
        EXPECT_EQ(markers[2], 0xDB);
        EXPECT_EQ(markers[3], 0xDB);
        EXPECT_EQ(markers[4], progressive ? 0xC2 : 0xC0);
        EXPECT_EQ(std::count(markers.begin(), markers.end(), 0xDB), 2);
        EXPECT_EQ(std::count(markers.begin(), markers.end(), 0xDA), progressive ? 10 : 1);
        for (std::size_t i = 5; i + 1 < markers.size(); ++i) {
            EXPECT_TRUE(markers[i] == 0xC4 || markers[i] == 0xDA) << "unexpected marker " << markers[i];
        }
        // The frame: 8-bit, 8 rows of 16, Y 2 x 2 on table 0, Cb and Cr 1 x 1 on table 1.
        const std::vector<std::uint8_t> frame = {8, 0, 8, 0, 16, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
        EXPECT_EQ(segments[4].contents, frame);
    }
}

TEST(JpegErrors, BadInputRaisesTheLibrarysMessageCodes) {
    TestFolder folder;
    const auto png = folder.path() / "picture.jpg";
    write_bytes(
        png, bytes_of(std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 29)));
    JpegImage image;
    EXPECT_EQ(message_of([&] { image.load(png); }), "JPEG error #53") << "a PNG named .jpg";

    const auto empty = folder.path() / "empty.jpg";
    write_bytes(empty, {});
    image.load(empty);
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
    Picture picture;
    EXPECT_EQ(message_of([&] { image.decode_into(picture); }), "JPEG error #42") << "an empty file";

    const std::vector<std::uint8_t> whole = read_bytes(jpeg_data("testorig.jpg"));
    const std::vector<std::uint8_t> before_frame(whole.begin(), whole.begin() + 40);
    EXPECT_EQ(message_of([&] { image.load_from_memory(before_frame); }), "JPEG error #51");
    EXPECT_EQ(message_of([&] { image.load_from_memory({0xFF, 0xD8, 0xFF, 0xD9}); }), "JPEG error #51");

    EXPECT_EQ(message_of([&] { image.load(jpeg_data("monkey12.jpg")); }), "JPEG error #15")
        << "12-bit samples";

    // The frame header of a small file, its width raised to 65501.
    std::vector<std::uint8_t> wide = write_crafted_jpeg(gray_ramp(8, 8));
    const auto sof = find_marker(wide, 0xC0);
    sof[7] = 65501 >> 8;
    sof[8] = 65501 & 0xFF;
    EXPECT_EQ(message_of([&] { image.load_from_memory(wide); }), "JPEG error #41");

    // Two components have no colour space to deliver: refused rather than decoded into nonsense.
    CraftedJpeg two = gray_ramp(8, 8);
    two.components = 2;
    two.in_color_space = JCS_UNKNOWN;
    two.jfif_marker = false;
    two.samples.resize(8 * 8 * 2);
    image.load_from_memory(write_crafted_jpeg(two));
    EXPECT_EQ(message_of([&] { image.decode_into(picture); }), "JPEG error #27");
}

TEST(JpegErrors, CutOffScanDataDecodesSilentlyAtFullSize) {
    const std::vector<std::uint8_t> whole = read_bytes(jpeg_data("testorig.jpg"));
    JpegImage image;
    image.load_from_memory(whole);
    Picture full;
    image.decode_into(full);

    image.load_from_memory({whole.begin(), whole.begin() + 3000});
    Picture cut;
    image.decode_into(cut);
    ASSERT_EQ(cut.width(), 227);
    ASSERT_EQ(cut.height(), 149);
    EXPECT_TRUE(std::equal(full.scanline(0), full.scanline(0) + 227 * 3, cut.scanline(0)))
        << "the rows before the cut are decoded as usual";
}

TEST(JpegDecoding, RestartMarkersAndArithmeticCodingDecode) {
    for (const char* name : {"testimgint.jpg", "testimgari.jpg"}) {
        JpegImage image;
        image.load(jpeg_data(name));
        Picture picture;
        image.decode_into(picture);
        EXPECT_EQ(picture.width(), 227) << name;
        EXPECT_EQ(picture.height(), 149) << name;
        EXPECT_EQ(picture.pixel_format(), PixelFormat::k24Bit) << name;
    }
}

TEST(JpegDecoding, AdobeCmykBecomesBlueGreenRedWithAFourthByteOf255) {
    // Two flat 8 x 8 blocks, so that quality 100 brings them back exactly.
    CraftedJpeg crafted;
    crafted.width = 16;
    crafted.height = 8;
    crafted.components = 4;
    crafted.in_color_space = JCS_CMYK;
    crafted.jfif_marker = false;
    crafted.adobe_marker = true;
    crafted.quality = 100;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::array<std::uint8_t, 4> cmyk = x < 8 ? std::array<std::uint8_t, 4>{255, 0, 128, 255}
                                                           : std::array<std::uint8_t, 4>{200, 90, 30, 0};
            crafted.samples.insert(crafted.samples.end(), cmyk.begin(), cmyk.end());
        }
    }
    for (const int color_space : {JCS_CMYK, JCS_YCCK}) {
        crafted.jpeg_color_space = color_space;
        JpegImage image;
        image.load_from_memory(write_crafted_jpeg(crafted));
        Picture picture;
        image.decode_into(picture);
        ASSERT_EQ(picture.pixel_format(), PixelFormat::k32Bit);
        const std::uint8_t* row = picture.scanline(4);
        EXPECT_EQ(std::vector<int>(row, row + 4), (std::vector<int>{128, 0, 255, 255})) << color_space;
        EXPECT_EQ(std::vector<int>(row + 40, row + 44), (std::vector<int>{0, 0, 0, 255})) << "K = 0 is black";
    }
}

// Annex K tables in natural order, and the zigzag order that DQT segments use.
constexpr std::array<int, 64> kLuminance = {
    16, 11,  10,  16, 24, 40, 51, 61, 12,  12,  14,  19,  26, 58, 60, 55,  14,  13,  16,  24, 40, 57,
    69, 56,  14,  17, 22, 29, 51, 87, 80,  62,  18,  22,  37, 56, 68, 109, 103, 77,  24,  35, 55, 64,
    81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};
constexpr std::array<int, 64> kZigzag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                         12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                         35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                         58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

int chrominance(int natural) {
    constexpr int kTop[4][4] = {{17, 18, 24, 47}, {18, 21, 26, 66}, {24, 26, 56, 99}, {47, 66, 99, 99}};
    const int row = natural / 8, column = natural % 8;
    return row < 4 && column < 4 ? kTop[row][column] : 99;
}

// The two tables of an output, in natural order.
std::array<std::vector<int>, 2> quantization_tables(int quality) {
    JpegImage image;
    image.take(noise(16, 16, 9));
    image.set_quality(static_cast<std::uint8_t>(quality));
    image.compress();
    std::array<std::vector<int>, 2> tables;
    for (const Segment& segment : segments_of(image.compressed_data())) {
        if (segment.marker != 0xDB) continue;
        EXPECT_EQ(segment.contents.size(), 65u) << "one 8-bit table per segment";
        const int id = segment.contents[0] & 0x0F;
        tables[id].assign(64, 0);
        for (int k = 0; k < 64; ++k) tables[id][kZigzag[k]] = segment.contents[1 + k];
    }
    return tables;
}

TEST(JpegEncoding, QualityScalesTheAnnexKTables) {
    for (const int quality : {100, 50, 1, 0}) {
        const auto tables = quantization_tables(quality);
        for (int i = 0; i < 64; ++i) {
            const int luminance = quality == 100 ? 1 : quality == 50 ? kLuminance[i] : 255;
            const int chroma = quality == 100 ? 1 : quality == 50 ? chrominance(i) : 255;
            EXPECT_EQ(tables[0][i], luminance) << "quality " << quality << " entry " << i;
            EXPECT_EQ(tables[1][i], chroma) << "quality " << quality << " entry " << i;
        }
    }
}

TEST(JpegEncoding, TheProgressiveFlagComesFromTheLastNonEmptyLoad) {
    CraftedJpeg crafted = gray_ramp(8, 8);
    JpegImage image;
    EXPECT_FALSE(image.progressive());
    crafted.progressive = true;
    image.load_from_memory(write_crafted_jpeg(crafted));
    EXPECT_TRUE(image.progressive());
    image.load_from_memory({});
    EXPECT_TRUE(image.progressive()) << "an empty file leaves the flag";
    image.take(noise(9, 9, 1));
    image.compress();
    EXPECT_TRUE(image.progressive()) << "take and compress leave the flag";
    EXPECT_EQ(markers_of(image.compressed_data())[4], 0xC2);

    crafted.progressive = false;
    image.load_from_memory(write_crafted_jpeg(crafted));
    EXPECT_FALSE(image.progressive());
    crafted.separate_scans = true;
    image.load_from_memory(write_crafted_jpeg(crafted));
    EXPECT_TRUE(image.progressive()) << "a sequential file with one scan per component has several scans";
}

// A real header whose frame claims `width` x `height`, followed by a few bytes of scan data.
std::vector<std::uint8_t> hostile(int width, int height, bool gray, bool progressive) {
    CraftedJpeg crafted = gray_ramp(8, 8);
    if (gray) {
        crafted.components = 1;
        crafted.samples.resize(64);
    }
    crafted.progressive = progressive;
    std::vector<std::uint8_t> bytes = write_crafted_jpeg(crafted);
    const int sof = progressive ? 0xC2 : 0xC0;
    const auto frame = find_marker(bytes, sof);
    frame[5] = static_cast<std::uint8_t>(height >> 8);
    frame[6] = static_cast<std::uint8_t>(height);
    frame[7] = static_cast<std::uint8_t>(width >> 8);
    frame[8] = static_cast<std::uint8_t>(width);
    const auto scan = find_marker(bytes, 0xDA);
    const std::size_t header_length = static_cast<std::size_t>(scan[2] << 8 | scan[3]);
    bytes.resize(static_cast<std::size_t>(scan - bytes.begin()) + 2 + header_length + 8);
    return bytes;
}

TEST(JpegMemory, PicturesAboveTheBoundFailWithOutOfMemory) {
    JpegImage image;
    Picture picture;
    image.load_from_memory(hostile(65500, 65500, false, false));
    EXPECT_EQ(image.width(), 65500);
    EXPECT_EQ(message_of([&] { image.decode_into(picture); }), "Out of memory");
    image.load_from_memory(hostile(65500, 65500, false, true));
    EXPECT_EQ(message_of([&] { image.decode_into(picture); }), "Out of memory");
    // The picture (1.6 GB) fits, but the library's whole-image buffer of a progressive file would not.
    image.load_from_memory(hostile(40000, 40000, true, true));
    EXPECT_EQ(message_of([&] { image.decode_into(picture); }), "Out of memory");
    EXPECT_EQ(picture.width(), 0) << "the picture is left as it was";
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// Writes entropy-coded bits with the zero byte stuffed after every 0xFF, padded with ones.
class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(unsigned value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            byte_ = static_cast<std::uint8_t>(byte_ << 1 | ((value >> i) & 1));
            if (++filled_ == 8) flush_byte();
        }
    }
    void finish() {
        while (filled_ != 0) put(1, 1);
    }

  private:
    void flush_byte() {
        out_.push_back(byte_);
        if (byte_ == 0xFF) out_.push_back(0);
        byte_ = 0;
        filled_ = 0;
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t byte_ = 0;
    int filled_ = 0;
};

void put_segment(std::vector<std::uint8_t>& out, int marker, const std::vector<std::uint8_t>& contents) {
    out.insert(out.end(), {0xFF, static_cast<std::uint8_t>(marker),
                           static_cast<std::uint8_t>((contents.size() + 2) >> 8),
                           static_cast<std::uint8_t>(contents.size() + 2)});
    out.insert(out.end(), contents.begin(), contents.end());
}

// A progressive gray picture of `size` x `size` whose DC scan is followed by `ac_scans` scans that each
// pass over every block with end-of-band runs: tiny scans that each cost a walk over the whole picture.
std::vector<std::uint8_t> many_scans(int size, int ac_scans) {
    std::vector<std::uint8_t> out = {0xFF, 0xD8};
    std::vector<std::uint8_t> table = {0};
    table.resize(65, 1);
    put_segment(out, 0xDB, table);
    const auto s0 = static_cast<std::uint8_t>(size >> 8), s1 = static_cast<std::uint8_t>(size);
    put_segment(out, 0xC2, {8, s0, s1, s0, s1, 1, 1, 0x11, 0});
    // One code, a single 0 bit: DC category 0, and AC end-of-band run class 14 (runs of 2^14 + 14 bits).
    std::vector<std::uint8_t> dc = {0x00, 1};
    dc.resize(17, 0);
    dc.push_back(0);
    put_segment(out, 0xC4, dc);
    std::vector<std::uint8_t> ac = {0x10, 1};
    ac.resize(17, 0);
    ac.push_back(0xE0);
    put_segment(out, 0xC4, ac);

    const long blocks = static_cast<long>(size / 8) * (size / 8);
    put_segment(out, 0xDA, {1, 1, 0x00, 0, 0, 0});
    BitWriter dc_bits(out);
    for (long b = 0; b < blocks; ++b) dc_bits.put(0, 1);
    dc_bits.finish();
    for (int scan = 0; scan < ac_scans; ++scan) {
        put_segment(out, 0xDA, {1, 1, 0x00, 1, 63, 0});
        BitWriter bits(out);
        for (long left = blocks; left > 0;) {
            const long run = std::min(left, 32767L);
            bits.put(0, 1);
            bits.put(static_cast<unsigned>(std::max(run, 16384L) - 16384), 14);
            left -= std::max(run, 16384L);
        }
        bits.finish();
    }
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

TEST(JpegErrors, FilesWithVeryManyScansAreRefused) {
    JpegImage image;
    Picture picture;
    image.load_from_memory(many_scans(256, 400));
    ASSERT_TRUE(image.progressive());
    image.decode_into(picture);
    EXPECT_EQ(picture.width(), 256) << "a few hundred scans still decode";

    image.load_from_memory(many_scans(256, 600));
    EXPECT_EQ(message_of([&] { image.decode_into(picture); }), "JPEG file has too many scans");
}

}  // namespace
}  // namespace velmora::test
