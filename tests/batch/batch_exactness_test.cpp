// A batch output is the same bytes as the same steps done by hand with the codec, resampler and logo objects:
// the run adds nothing, drops nothing and reorders nothing.
#include <gtest/gtest.h>

#include "base/file_io.hpp"
#include "batch/batch_run.hpp"
#include "imaging/codecs/jpeg_image.hpp"
#include "imaging/codecs/png_logo.hpp"
#include "imaging/drawing/draw_logo.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/resampler.hpp"
#include "support/fake_batch_window.hpp"
#include "support/jpeg_writer.hpp"
#include "support/test_folder.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

const std::filesystem::path kPhotograph = jpeg_data("testorig.jpg");
const std::filesystem::path kLogo =
    std::filesystem::path(VELMORA_TEST_DATA_DIR) / "pngsuite" / "basn6a08.png";

struct Steps {
    std::filesystem::path source;
    std::filesystem::path logo;
    int target_width;
    int position;
    int inset_horizontal;
    int inset_vertical;
    int quality;
    int scaled_height;  // 0: taken at its own size
};

std::vector<std::uint8_t> by_hand(const Steps& steps) {
    JpegImage jpeg;
    jpeg.load(steps.source);
    Picture output;
    if (steps.scaled_height != 0) {
        Picture source;
        jpeg.decode_into(source);
        output.set_size(steps.target_width, steps.scaled_height);
        ResamplePicture(source, output, FilterTable[5].Filter, FilterTable[5].Width);
    } else {
        jpeg.decode_into(output);
    }
    PngLogo logo;
    logo.load(steps.logo);
    Picture logo_picture;
    logo.convert_into(logo_picture);
    const auto origin = logo_origin(steps.position, output.width(), output.height(), logo_picture.width(),
                                    logo_picture.height(), steps.inset_horizontal, steps.inset_vertical);
    draw_logo(logo_picture, output, origin.value());
    jpeg.take(output);
    jpeg.set_quality(static_cast<std::uint8_t>(steps.quality));
    jpeg.compress();
    return jpeg.compressed_data();
}

std::vector<std::uint8_t> by_batch(const Steps& steps, const TestFolder& temp) {
    FakeBatchWindow window;
    window.folder = temp.path();
    window.width = std::to_string(steps.target_width);
    window.files = {steps.source};
    window.logo_path = path_to_utf8(steps.logo);
    window.position = steps.position;
    window.inset_horizontal = std::to_string(steps.inset_horizontal);
    window.inset_vertical = std::to_string(steps.inset_vertical);
    window.quality_position = steps.quality;
    Button_start_photo_processingClick(window);
    return read_whole_file(window.folder / "08.12.2026 0-15-21" / "1.jpg");
}

TEST(BatchExactness, TheBatchWritesTheBytesOfTheStepsDoneByHand) {
    TestFolder temp;
    const auto gray = temp.path() / "gray progressive.jpg";
    test::write_jpeg(gray, 90, 70, test::JpegKind::kGray);
    const auto progressive = temp.path() / "progressive.jpg";
    test::write_jpeg(progressive, 330, 247, test::JpegKind::kProgressive);
    const auto cmyk = temp.path() / "cmyk.jpg";
    test::write_jpeg(cmyk, 120, 80, test::JpegKind::kCmyk);

    // A photograph scaled 227 x 149 to 100 x 66, a progressive source scaled, a gray one at its own size
    // (drawn onto the indexed picture), then scaled, and a CMYK one scaled.
    for (const Steps& steps : {
             Steps{kPhotograph, kLogo, 100, 5, 4, 3, 83, 66},
             Steps{progressive, kLogo, 200, 2, -5, 7, 61, 150},
             Steps{gray, kLogo, 800, 1, 0, 0, 75, 0},
             Steps{gray, kLogo, 50, 4, 1, 1, 75, 39},
             Steps{cmyk, kLogo, 70, 3, 2, 2, 90, 47},
         }) {
        const auto expected = by_hand(steps);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(by_batch(steps, temp), expected) << steps.source;
    }
}

}  // namespace
}  // namespace velmora::test
