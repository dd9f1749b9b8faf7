// Whole runs over real files in temporary folders: the real pipeline behind a scripted window.
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <csignal>
#include <fstream>
#include <set>

#include <jpeglib.h>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "batch/batch_run.hpp"
#include "support/fake_batch_window.hpp"
#include "support/jpeg_reader.hpp"
#include "support/jpeg_writer.hpp"
#include "support/platform_support.hpp"
#include "support/png_writer.hpp"
#include "support/test_folder.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

const char* const kOutputName = "08.12.2026 0-15-21";

// A window whose controls a test changes as a given picture starts (when its running number is shown).
class ScriptedWindow : public FakeBatchWindow {
  public:
    std::function<void(int running_number)> on_picture;
    void set_processed_text(const std::string& text) override {
        FakeBatchWindow::set_processed_text(text);
        if (on_picture) on_picture(std::stoi(text));
    }
};

std::set<std::string> names_in(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(path_to_utf8(entry.path().filename()));
    return names;
}

std::vector<std::uint8_t> bytes_of(const std::filesystem::path& path) {
    return read_whole_file(path);
}

class BatchEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        program_ = temp_.path() / path_from_utf8("Программа с пробелом");
        sources_ = temp_.path() / path_from_utf8("Фото источники");
        std::filesystem::create_directories(program_);
        std::filesystem::create_directories(sources_);
        window_.folder = program_;
    }
    std::filesystem::path source(const std::string& name) {
        const auto path = sources_ / path_from_utf8(name);
        std::filesystem::create_directories(path.parent_path());
        return path;
    }
    std::filesystem::path output(int number) const {
        return program_ / kOutputName / (std::to_string(number) + ".jpg");
    }
    void run() { Button_start_photo_processingClick(window_); }
    std::string run_expecting_failure() {
        try {
            run();
        } catch (const Error& error) {
            return error.what();
        }
        ADD_FAILURE() << "the run did not fail";
        return {};
    }

    TestFolder temp_;
    std::filesystem::path program_;
    std::filesystem::path sources_;
    ScriptedWindow window_;
};

TEST_F(BatchEndToEnd, AMixedBatchGivesNumberedFilesOfTheRightSizesAndModes) {
    struct Source {
        std::string name;
        int width, height;
        JpegKind kind;
        int expected_width, expected_height;
    };
    const std::vector<Source> sources = {
        {"a.JPG", 1600, 1201, JpegKind::kBaseline, 800, 600},      // 600.5 goes to 600
        {"b.jpeg", 1600, 1203, JpegKind::kProgressive, 800, 602},  // 601.5 goes to 602
        {"gray.jpg", 3000, 2000, JpegKind::kGray, 800, 533},
        {"cmyk.jpg", 900, 600, JpegKind::kCmyk, 800, 533},
        {"narrow.jpg", 640, 480, JpegKind::kProgressive, 640, 480},
        {"equal.jpg", 800, 300, JpegKind::kBaseline, 800, 300},
        {"one/same.jpg", 1000, 500, JpegKind::kBaseline, 800, 400},
        {"two/same.jpg", 500, 1000, JpegKind::kGray, 500, 1000},
        {"narrow gray.jpg", 33, 17, JpegKind::kGray, 33, 17},
        {"Снимок.jpg", 1000, 20, JpegKind::kCmyk, 800, 16},
    };
    for (const Source& s : sources) {
        write_jpeg(source(s.name), s.width, s.height, s.kind);
        window_.files.push_back(source(s.name));
    }
    window_.width = "800";
    run();

    std::set<std::string> expected_names;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto facts = test::read_jpeg_facts(output(static_cast<int>(i + 1)));
        EXPECT_EQ(facts.width, sources[i].expected_width) << sources[i].name;
        EXPECT_EQ(facts.height, sources[i].expected_height) << sources[i].name;
        EXPECT_EQ(facts.progressive, sources[i].kind == JpegKind::kProgressive) << sources[i].name;
        EXPECT_EQ(facts.components, 3) << sources[i].name;
        EXPECT_TRUE(facts.jfif) << sources[i].name;
        expected_names.insert(std::to_string(i + 1) + ".jpg");
    }
    EXPECT_EQ(names_in(program_ / kOutputName), expected_names);
    EXPECT_EQ(window_.processed_text, "10");
    EXPECT_EQ(window_.status, "processing is completed");
    EXPECT_EQ(window_.boxes,
              (std::vector<std::string>{"information: All images were processed.\r\rProcessed images "
                                        "are in the folder " +
                                        path_to_utf8(program_ / kOutputName)}));
    EXPECT_TRUE(window_.run_enabled);
}

TEST_F(BatchEndToEnd, AnInexactScaleFactorAndOtherTargetsGiveThePartsSizes) {
    write_jpeg(source("tiny.jpg"), 6, 3, JpegKind::kBaseline);
    window_.files = {source("tiny.jpg")};
    window_.width = "5";
    run();
    EXPECT_EQ(test::read_jpeg_facts(output(1)).width, 5);
    EXPECT_EQ(test::read_jpeg_facts(output(1)).height, 3);

    write_jpeg(source("wide.jpg"), 4000, 3002, JpegKind::kBaseline);
    window_.files = {source("wide.jpg"), source("tiny.jpg")};
    window_.width = "1000";
    run();
    EXPECT_EQ(test::read_jpeg_facts(output(1)).height, 750);  // 750.5 goes to 750
    EXPECT_EQ(test::read_jpeg_facts(output(2)).width,
              6);  // narrower than the target: kept
}

TEST_F(BatchEndToEnd, SizesTheResamplerRefusesFailOnlyAfterTheDecoderHasHadItsSay) {
    write_jpeg(source("wide.jpg"), 900, 100, JpegKind::kBaseline);
    window_.files = {source("wide.jpg")};
    for (const char* width : {"1", "5"}) {  // a width of 1; a new height of 0.56 that rounds to 1
        window_.width = width;
        EXPECT_EQ(run_expecting_failure(), "Floating point division by zero") << width;
    }
    // A source whose header reads but whose pixels cannot be decoded: the decoder's message comes first.
    CraftedJpeg two;
    two.width = 12;
    two.components = 2;
    two.in_color_space = JCS_UNKNOWN;
    two.jfif_marker = false;
    two.samples.assign(12 * 8 * 2, 100);
    write_bytes(source("two.jpg"), write_crafted_jpeg(two));
    window_.files = {source("two.jpg")};
    for (const char* width : {"1", "6"}) {
        window_.width = width;
        EXPECT_EQ(run_expecting_failure(), "JPEG error #27") << width;
    }
}

TEST_F(BatchEndToEnd, TheLogoGoesWhereThePositionAndInsetsSayForEachPicture) {
    for (int i = 1; i <= 6; ++i) {
        test::write_plain_jpeg(source(std::to_string(i) + ".jpg"), 200, 100, 128, 128, 128);
        window_.files.push_back(source(std::to_string(i) + ".jpg"));
    }
    test::write_png_logo(source("logo.png"), 20, 10, 255, 0, 0);
    window_.logo_path = path_to_utf8(source("logo.png"));
    window_.position = 1;
    window_.inset_horizontal = "10";
    window_.inset_vertical = "abc";  // no whole number: 0
    // Picture k is drawn at position k; the sixth at "Not to put".
    window_.on_picture = [&](int number) { window_.position = number % 6; };
    run();

    struct Place {
        int x, y;
    };
    const Place places[] = {{90, 45}, {10, 0}, {170, 0}, {10, 90}, {170, 90}};
    for (int i = 0; i < 5; ++i) {
        const auto logo = test::mean_color(output(i + 1), places[i].x + 4, places[i].y + 2, 12, 6);
        EXPECT_GT(logo.red, 200) << "picture " << i + 1;
        EXPECT_LT(logo.green, 60) << "picture " << i + 1;
        const int far_x = places[i].x < 100 ? 150 : 30;
        const auto photo = test::mean_color(output(i + 1), far_x, 40, 20, 20);
        EXPECT_NEAR(photo.red, 128, 3) << "picture " << i + 1;
    }
    for (const Place& place : places) {
        const auto untouched = test::mean_color(output(6), place.x + 4, place.y + 2, 12, 6);
        EXPECT_NEAR(untouched.red, 128, 3);
        EXPECT_NEAR(untouched.green, 128, 3);
    }
}

TEST_F(BatchEndToEnd, ThePipelineReadsPositionInsetsAndQualityBetweenItsPumps) {
    write_jpeg(source("a.jpg"), 900, 30, JpegKind::kBaseline);
    test::write_png_logo(source("logo.png"), 4, 4, 255, 255, 255);
    window_.files = {source("a.jpg"), source("a.jpg")};
    window_.logo_path = path_to_utf8(source("logo.png"));
    window_.position = 4;
    run();
    const std::vector<std::string> one_picture = {
        "pump", "read position", "read inset horizontal", "read inset vertical", "pump", "read quality"};
    std::vector<std::string> after_second = window_.log_from("processed 2");
    after_second.resize(2 + one_picture.size());
    EXPECT_EQ(std::vector<std::string>(after_second.begin() + 2, after_second.end()), one_picture);

    // Without a logo the pipeline reads only the quality.
    window_.position = 0;
    window_.log.clear();
    run();
    after_second = window_.log_from("processed 2");
    EXPECT_EQ(std::vector<std::string>(after_second.begin() + 2, after_second.begin() + 5),
              (std::vector<std::string>{"pump", "pump", "read quality"}));
}

TEST_F(BatchEndToEnd, AMissingLogoIsHarmlessUntilAPositionAsksForIt) {
    write_jpeg(source("a.jpg"), 50, 40, JpegKind::kBaseline);
    window_.files = {source("a.jpg")};
    window_.logo_path = path_to_utf8(source("missing logo.png"));
    window_.position = 0;
    window_.on_picture = [&](int) { window_.position = 5; };  // too late: the logo is decided once
    run();
    EXPECT_EQ(names_in(program_ / kOutputName), (std::set<std::string>{"1.jpg"}));

    std::filesystem::remove_all(program_ / kOutputName);
    window_.on_picture = nullptr;
    window_.position = 3;
    EXPECT_EQ(run_expecting_failure(), "Cannot open file \"" + path_to_utf8(source("missing logo.png")) +
                                           "\". " + test::missing_file_reason());
    // The folder is made before the logo is loaded, and stays empty.
    EXPECT_TRUE(names_in(program_ / kOutputName).empty());
    EXPECT_TRUE(window_.run_enabled);
}

TEST_F(BatchEndToEnd, TheWidthErrorAndAnEmptySelectionLeaveNoFolder) {
    write_jpeg(source("a.jpg"), 50, 40, JpegKind::kBaseline);
    window_.files = {source("a.jpg")};
    window_.width = "";
    run();
    window_.width = "800";
    window_.files.clear();
    run();
    EXPECT_TRUE(names_in(program_).empty());
    EXPECT_EQ(window_.boxes.size(), 2u);
}

TEST_F(BatchEndToEnd, TheThirdOfFiveFailingStopsTheRunThere) {
    for (const char* name : {"1.jpg", "2.jpg", "4.jpg", "5.jpg"})
        write_jpeg(source(name), 900, 100, JpegKind::kBaseline);
    test::write_png_logo(source("3.jpg"), 4, 4, 1, 2, 3);  // a PNG named .jpg
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"})
        window_.files.push_back(source(name));
    EXPECT_EQ(run_expecting_failure(), "JPEG error #53");
    EXPECT_EQ(names_in(program_ / kOutputName), (std::set<std::string>{"1.jpg", "2.jpg"}));
    EXPECT_EQ(window_.processed_text, "3");
    EXPECT_EQ(window_.status, "processing occurs images");
    EXPECT_TRUE(window_.boxes.empty());
    EXPECT_TRUE(window_.run_enabled);
    EXPECT_EQ(window_.run_caption, "Run process");

    // A source that cannot be opened says so with its full path.
    window_.files = {source("gone.jpg")};
    EXPECT_EQ(run_expecting_failure(), "Cannot open file \"" + path_to_utf8(source("gone.jpg")) + "\". " +
                                           test::missing_file_reason());
}

TEST_F(BatchEndToEnd, QualityChangedDuringARunTakesEffectFromTheNextPicture) {
    write_jpeg(source("a.jpg"), 300, 200, JpegKind::kBaseline);
    window_.files = {source("a.jpg"), source("a.jpg"), source("a.jpg")};
    window_.quality_position = 95;
    window_.on_picture = [&](int number) {
        if (number == 2) window_.quality_position = 10;
    };
    run();
    EXPECT_EQ(bytes_of(output(2)), bytes_of(output(3)));
    EXPECT_GT(bytes_of(output(1)).size(), 2 * bytes_of(output(2)).size());
}

TEST_F(BatchEndToEnd, TwoRunsInTheSameSecondShareTheFolder) {
    write_jpeg(source("a.jpg"), 300, 200, JpegKind::kBaseline);
    write_jpeg(source("b.jpg"), 200, 300, JpegKind::kProgressive);
    window_.files = {source("a.jpg"), source("a.jpg"), source("a.jpg")};
    run();
    const auto third = bytes_of(output(3));
    window_.files = {source("b.jpg")};
    run();
    EXPECT_EQ(names_in(program_ / kOutputName), (std::set<std::string>{"1.jpg", "2.jpg", "3.jpg"}));
    EXPECT_TRUE(test::read_jpeg_facts(output(1)).progressive);  // overwritten by the second run
    EXPECT_EQ(bytes_of(output(3)), third);                      // left from the first
}

TEST_F(BatchEndToEnd, AWriteFailureLeavesNoPartialFileAndTheOlderFileIntact) {
#if defined(_WIN32)
    GTEST_SKIP() << "a limit on the size of the files a process writes exists on POSIX systems only";
#else
    write_jpeg(source("a.jpg"), 400, 300, JpegKind::kBaseline);
    window_.files = {source("a.jpg"), source("a.jpg")};
    window_.quality_position = 100;
    run();
    const auto older = bytes_of(output(1));

    // A disk that takes only 1000 more bytes of any file: the second run's first file cannot be written.
    window_.quality_position = 90;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string message = run_expecting_failure();
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(message, "Cannot write file \"" + path_to_utf8(output(1)) + "\". File too large");
    EXPECT_EQ(bytes_of(output(1)), older);
    EXPECT_EQ(names_in(program_ / kOutputName), (std::set<std::string>{"1.jpg", "2.jpg"}));
    EXPECT_EQ(window_.processed_text, "1");
#endif
}

TEST_F(BatchEndToEnd, AnOutputFolderRemovedDuringTheRunFailsTheNextFile) {
    write_jpeg(source("a.jpg"), 400, 300, JpegKind::kBaseline);
    window_.files = {source("a.jpg"), source("a.jpg")};
    window_.on_picture = [&](int number) {
        if (number == 2) std::filesystem::remove_all(program_ / kOutputName);
    };
    EXPECT_EQ(run_expecting_failure().rfind("Cannot create file \"" + path_to_utf8(output(2)) + "\". ", 0),
              0u);
    EXPECT_FALSE(std::filesystem::exists(program_ / kOutputName));
}

TEST_F(BatchEndToEnd, ClosingTheWindowKeepsTheFilesWrittenSoFar) {
    write_jpeg(source("a.jpg"), 300, 200, JpegKind::kBaseline);
    window_.files = {source("a.jpg"), source("a.jpg"), source("a.jpg")};
    window_.on_picture = [&](int number) {
        if (number == 2) window_.close_at_pump = window_.pumps + 1;
    };
    EXPECT_THROW(run(), Abort);
    EXPECT_EQ(names_in(program_ / kOutputName), (std::set<std::string>{"1.jpg"}));
    EXPECT_EQ(test::read_jpeg_facts(output(1)).width, 300);
    EXPECT_TRUE(window_.boxes.empty());
}

}  // namespace
}  // namespace velmora::test
