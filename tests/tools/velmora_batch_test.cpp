// The headless driver as a script uses it: its command line, what it prints where, and its exit status.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "base/file_io.hpp"
#include "support/jpeg_reader.hpp"
#include "support/jpeg_writer.hpp"
#include "support/platform_support.hpp"
#include "support/png_writer.hpp"
#include "tools/velmora_batch_driver.hpp"

namespace velmora::test {
namespace {

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

TEST_F(VelmoraBatchDriver, HelpVersionAndUsageErrorsAreWhatPeopleExpectOfACommandLineTool) {
    for (const char* help : {"--help", "-h"}) {
        const Outcome outcome = run(help);
        EXPECT_EQ(outcome.status, 0) << help;
        EXPECT_EQ(outcome.err, "") << help;
        EXPECT_EQ(outcome.out.rfind("usage: velmora-batch ", 0), 0u) << help;
        for (const char* word : {"--width", "--quality", "--logo", "--position", "--inset-h", "--inset-v",
                                 "--into", "--folder", "--start-number", "--jobs", "--recursive", "--quiet",
                                 "--version", "Exit status:", "  0 ", "  1 ", "  2 ", "  130 "})
            EXPECT_NE(outcome.out.find(word), std::string::npos) << help << " says nothing of " << word;
    }
    // Help needs nothing else on the line.
    EXPECT_EQ(run("--jobs 3 --help").status, 0);

    Outcome outcome = run("--version");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.rfind("velmora-batch ", 0), 0u);
    EXPECT_EQ(outcome.out.find('\n'), outcome.out.size() - 1);

    struct Case {
        std::string arguments;
        std::string says;
    };
    const auto photo = quoted(temp_.path() / "a.jpg");
    for (const Case& c :
         {Case{"--width 800 --quality 75 --colour red " + photo, "unknown option --colour"},
          Case{"--width 800 --quality 75 -x " + photo, "unknown option -x"},
          Case{"--width 800 " + photo + " --quality", "--quality needs a value"},
          Case{"--width --quality 75 " + photo, "--width needs a value"},
          Case{"--width 800 --quality 75 --jobs 0 " + photo, "--jobs must be a whole number from 1"},
          Case{"--width 800 --quality 75 --folder a/b " + photo, "--folder must be the name of one"},
          Case{"--width 800 --quality 75 --logo l.png " + photo, "--logo needs --position"},
          Case{"--width 800 --quality 75 --logo l.png --position 0 " + photo, "--logo needs --position"}}) {
        outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments;
        EXPECT_EQ(outcome.err.rfind("velmora-batch: " + c.says, 0), 0u) << c.arguments << "\n" << outcome.err;
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << c.arguments;
        EXPECT_EQ(outcome.out, "") << c.arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(temp_.path() / "l.png"));
}

// The numbers of the files written, by the name of the source each was made from: every source is a
// picture of its own width.
std::map<int, int> widths_written(const std::filesystem::path& folder) {
    std::map<int, int> widths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        widths[std::stoi(path_to_utf8(entry.path().stem()))] = test::read_jpeg_facts(entry.path()).width;
    return widths;
}

TEST_F(VelmoraBatchDriver, AFolderStandsForItsJpegFilesInNameOrderAndRecursiveForItsSubfoldersToo) {
    const auto photos = temp_.path() / "photos";
    // The width of each picture says which it is.
    const std::vector<std::pair<std::string, int>> files = {
        {"b.JPG", 12},     {"a.jpeg", 11},           {"c.Jpeg", 13}, {"sub/2.jpg", 22},
        {"sub/1.jpg", 21}, {"sub/deeper/x.jpg", 31}, {"d.jpg", 14}};
    for (const auto& [name, width] : files) {
        std::filesystem::create_directories((photos / name).parent_path());
        test::write_jpeg(photos / name, width, 8, test::JpegKind::kBaseline);
    }
    std::ofstream(photos / "notes.txt") << "not a picture";
    std::ofstream(photos / "e.png") << "not a JPEG";
    const auto single = temp_.path() / "single.jpg";
    test::write_jpeg(single, 5, 5, test::JpegKind::kGray);

    const auto into = temp_.path() / "out";
    Outcome outcome = run("--width 800 --quality 75 --into " + quoted(into) + " --folder flat " +
                          quoted(photos) + " " + quoted(single));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(widths_written(into / "flat"),
              (std::map<int, int>{{1, 11}, {2, 12}, {3, 13}, {4, 14}, {5, 5}}));

    outcome = run("--width 800 --quality 75 --recursive --into " + quoted(into) +
                  " --folder deep --start-number 10 " + quoted(photos));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(widths_written(into / "deep"),
              (std::map<int, int>{{10, 11}, {11, 12}, {12, 13}, {13, 14}, {14, 21}, {15, 22}, {16, 31}}));

    // A folder without pictures is an empty selection.
    std::filesystem::create_directories(temp_.path() / "empty");
    outcome = run("--width 800 --quality 75 --into " + quoted(into) + " " + quoted(temp_.path() / "empty"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Images not selected. Select the files to process\n");
}

}  // namespace
}  // namespace velmora::test
