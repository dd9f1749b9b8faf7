// The headless driver as a script uses it: its command line, what it prints where, and its exit status.
#include <gtest/gtest.h>

#include <fstream>

#include "base/file_io.hpp"
#include "batch/test_images.hpp"
#include "platform_support.hpp"
#include "test_folder.hpp"

namespace velmora {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::filesystem::path& path) {
    return test::shell_quoted(path);
}

std::string text_of(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class VelmoraBatchDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        driver_ = std::filesystem::path(VELMORA_BINARY_DIR) / "velmora-batch";
        driver_ += std::filesystem::path(VELMORA_EXECUTABLE_SUFFIX);
        if (!std::filesystem::exists(driver_)) GTEST_SKIP() << "velmora-batch is not built";
    }
    Outcome run(const std::string& arguments) {
        const auto out = temp_.path() / "stdout";
        const auto err = temp_.path() / "stderr";
        const std::string command =
            quoted(driver_) + " " + arguments + " >" + quoted(out) + " 2>" + quoted(err);
        return {test::run_command(command), text_of(out), text_of(err)};
    }

    std::filesystem::path driver_;
    TestFolder temp_;
};

TEST_F(VelmoraBatchDriver, ARunPrintsItsProgressAndTheFolder) {
    const auto into = temp_.path() / path_from_utf8("вывод с пробелом");
    std::filesystem::create_directories(into);
    const auto photo = temp_.path() / path_from_utf8("фото 1.jpg");
    test::write_jpeg(photo, 120, 60, test::JpegKind::kProgressive);
    test::write_png_logo(temp_.path() / "logo.png", 10, 10, 0, 0, 255);

    const Outcome outcome = run("--width 100 --quality 80 --logo " + quoted(temp_.path() / "logo.png") +
                                " --position 5 --inset-h 2 --inset-v x --into " + quoted(into) + " " +
                                quoted(photo) + " " + quoted(photo));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(into), {}), 1);
    const auto folder = std::filesystem::directory_iterator(into)->path();
    EXPECT_EQ(outcome.out,
              "processing occurs images\npicture 1\npicture 2\nprocessing is "
              "completed\n"
              "All images were processed.\n\nProcessed images are in the folder " +
                  path_to_utf8(folder) + "\n");
    const auto facts = test::read_jpeg_facts(folder / "2.jpg");
    EXPECT_EQ(facts.width, 100);
    EXPECT_EQ(facts.height, 50);
    EXPECT_TRUE(facts.progressive);
    const auto logo = test::mean_color(folder / "1.jpg", 89, 41, 6, 6);
    EXPECT_GT(logo.blue, 200);
}

TEST_F(VelmoraBatchDriver, ErrorsGoToStandardErrorWithExitStatusOne) {
    const auto photo = temp_.path() / "a.jpg";
    test::write_jpeg(photo, 20, 20, test::JpegKind::kBaseline);

    Outcome outcome = run("--width 0 --quality 75 --into " + quoted(temp_.path()) + " " + quoted(photo));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "You need to set the width of images.\nPlease enter "
              "the width of images.\nThe value must be greater "
              "than zero.\n");
    EXPECT_EQ(outcome.out, "");

    outcome = run("--width 800 --quality 75 --into " + quoted(temp_.path()));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Images not selected. Select the files to process\n");

    const auto missing = temp_.path() / "missing.jpg";
    outcome = run("--width 800 --quality 75 --into " + quoted(temp_.path()) + " " + quoted(missing));
    EXPECT_EQ(outcome.status, 1);
    // The report adds a full stop, as the program's error box does.
    std::string reported =
        "Cannot open file \"" + path_to_utf8(missing) + "\". " + test::missing_file_reason();
    if (static_cast<unsigned char>(reported.back()) > 46) reported += '.';  // as the report adds it
    EXPECT_EQ(outcome.err, reported + "\n");
    EXPECT_EQ(outcome.out, "processing occurs images\npicture 1\n");

    outcome = run("--width 800 --quality 0 " + quoted(photo));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("--quality must be a whole number from 1 to 100"), std::string::npos);
    outcome = run("--quality 50 " + quoted(photo));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("--width is missing"), std::string::npos);
}

}  // namespace
}  // namespace velmora
