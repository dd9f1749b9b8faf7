// Every file of the PNG suite against libpng as the independent decoder, and every corrupt file of the
// suite against the message its fault calls for.
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "imaging/codecs/png_logo.hpp"
#include "png_messages.hpp"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kSuite = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "pngsuite";

// What libpng makes of a file with its transforms set to one byte per sample: 16 bits stripped to the
// most significant byte, 1/2/4-bit samples unpacked, gray levels widened to 0..255, palette indices
// kept, no gamma correction.
struct Reference {
    std::uint32_t width = 0, height = 0;
    int color_type = 0;
    int channels = 0;
    Bytes pixels;
    std::vector<Color> palette;
    Bytes transparency;
    std::vector<png_bytep> rows;  // libpng's row pointers into pixels
};

struct ReadState {
    Bytes file;
    std::size_t position = 0;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (state->position + count > state->file.size()) png_error(png, "read past the end");
    std::copy_n(state->file.data() + state->position, count, out);
    state->position += count;
}

// Only trivially destructible locals live across setjmp; the vectors are filled through `out`.
bool decode_with_libpng(ReadState& state, Reference& out) {
    // Quiet: its refusals are expected for the corrupt files.
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr, [](png_structp p, png_const_charp) { png_longjmp(p, 1); },
        [](png_structp, png_const_charp) {});
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &state, read_from_memory);
    png_read_info(png, info);
    out.width = png_get_image_width(png, info);
    out.height = png_get_image_height(png, info);
    out.color_type = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    if (out.color_type == PNG_COLOR_TYPE_GRAY) png_set_expand_gray_1_2_4_to_8(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    out.channels = png_get_channels(png, info);
    const std::size_t row_bytes = png_get_rowbytes(png, info);
    out.pixels.resize(row_bytes * out.height);
    out.rows.resize(out.height);
    for (std::uint32_t y = 0; y < out.height; ++y) out.rows[y] = out.pixels.data() + y * row_bytes;
    png_read_image(png, out.rows.data());
    png_colorp palette = nullptr;
    int entries = 0;
    if (png_get_PLTE(png, info, &palette, &entries) != 0) {
        for (int i = 0; i < entries; ++i)
            out.palette.push_back(Color{palette[i].red, palette[i].green, palette[i].blue});
    }
    png_bytep trans = nullptr;
    int trans_count = 0;
    png_color_16p trans_color = nullptr;
    if (out.color_type == PNG_COLOR_TYPE_PALETTE &&
        png_get_tRNS(png, info, &trans, &trans_count, &trans_color) != 0) {
        out.transparency.assign(trans, trans + trans_count);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

std::vector<std::filesystem::path> suite_files(bool corrupt) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kSuite)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".png" && (name[0] == 'x') == corrupt) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The samples our reader should hold, from libpng's: colour samples and palette entries through our
// gamma table (libpng was asked for none), except the gray byte of gray with alpha, alpha and indices.
void compare_with_reference(const PngLogo& logo, const Reference& ref, const std::string& name) {
    ASSERT_EQ(logo.width(), static_cast<int>(ref.width)) << name;
    ASSERT_EQ(logo.height(), static_cast<int>(ref.height)) << name;
    const auto& gamma = logo.gamma_table();
    const bool gamma_applies = ref.color_type == 0 || ref.color_type == 2 || ref.color_type == 6;
    const int colour_channels = ref.color_type == 2 || ref.color_type == 6 ? 3 : 1;
    const bool alpha = ref.color_type == 4 || ref.color_type == 6;
    Bytes expected_samples, expected_alpha;
    for (std::size_t p = 0; p < static_cast<std::size_t>(ref.width) * ref.height; ++p) {
        const std::uint8_t* px = ref.pixels.data() + p * static_cast<std::size_t>(ref.channels);
        for (int c = 0; c < colour_channels; ++c)
            expected_samples.push_back(gamma_applies ? gamma[px[c]] : px[c]);
        if (alpha) expected_alpha.push_back(px[colour_channels]);
    }
    EXPECT_TRUE(std::equal(expected_samples.begin(), expected_samples.end(), logo.samples().begin(),
                           logo.samples().end()))
        << name << ": samples differ";
    EXPECT_TRUE(std::equal(expected_alpha.begin(), expected_alpha.end(), logo.alpha_plane().begin(),
                           logo.alpha_plane().end()))
        << name << ": alpha differs";
    if (ref.color_type == 3) {
        std::vector<Color> expected_palette;
        for (const Color& c : ref.palette)
            expected_palette.push_back(Color{gamma[c.red], gamma[c.green], gamma[c.blue]});
        EXPECT_EQ(logo.palette(), expected_palette) << name;
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint8_t expected = i < ref.transparency.size() ? ref.transparency[i] : 255;
            EXPECT_EQ(logo.transparency_values()[i], expected) << name << " tRNS " << i;
        }
    }
}

TEST(PngSuite, EveryValidFileDecodesAsLibpngDecodesIt) {
    const auto files = suite_files(false);
    ASSERT_GE(files.size(), 150u);
    for (const auto& path : files) {
        const std::string name = path.filename().string();
        ReadState state{read_whole_file(path), 0};
        Reference ref;
        ASSERT_TRUE(decode_with_libpng(state, ref)) << name << " is refused by libpng";
        PngLogo logo;
        ASSERT_NO_THROW(logo.load(path)) << name;
        compare_with_reference(logo, ref, name);
        Picture picture;
        EXPECT_NO_THROW(logo.convert_into(picture)) << name;
        EXPECT_EQ(picture.width(), logo.width()) << name;
    }
}

TEST(PngSuite, EveryCorruptFileFailsWithTheMessageOfItsFault) {
    using namespace test::png_message;
    const std::string not_supported = kNotSupported;
    const std::map<std::string, std::string> expected{
        {"xc1n0g08.png", not_supported + "\r\n(invalid colour type)"},
        {"xc9n2c08.png", not_supported + "\r\n(invalid colour type)"},
        {"xcrn0g04.png", kBadSignature},  // line ends converted: the signature is broken
        {"xcsn0g01.png", kCrcError},
        {"xd0n2c08.png", not_supported + "\r\n(invalid bit depth for the colour type)"},
        {"xd3n2c08.png", not_supported + "\r\n(invalid bit depth for the colour type)"},
        {"xd9n2c08.png", not_supported + "\r\n(invalid bit depth for the colour type)"},
        {"xdtn0g01.png", kNoData},
        {"xhdn0g08.png", kCrcError},
        {"xlfn0g04.png", kBadSignature},
        {"xs1n0g01.png", kBadSignature},
        {"xs2n0g01.png", kBadSignature},
        {"xs4n0g01.png", kBadSignature},
        {"xs7n0g01.png", kBadSignature},
    };
    const auto files = suite_files(true);
    ASSERT_EQ(files.size(), expected.size());
    for (const auto& path : files) {
        const std::string name = path.filename().string();
        ASSERT_TRUE(expected.count(name)) << name << " has no expected message";
        PngLogo logo;
        try {
            logo.load(path);
            ADD_FAILURE() << name << " was loaded";
        } catch (const Error& error) {
            EXPECT_EQ(error.what(), expected.at(name)) << name;
        }
        ReadState state{read_whole_file(path), 0};
        Reference ref;
        EXPECT_FALSE(decode_with_libpng(state, ref)) << name << " is accepted by libpng too";
    }
}

}  // namespace
}  // namespace velmora
