// The run's reads, writes and pump points in their order, seen through a scripted window, with the
// per-image work replaced by a recorder (the end-to-end tests run the real pipeline).
#include "batch/batch_run.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "support/fake_batch_window.hpp"
#include "support/platform_support.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

using Log = std::vector<std::string>;

const std::string kWidthError =
    "error: You need to set the width of images.\rPlease enter the width of images.\rThe value must be "
    "greater than zero.";
const std::string kProcessing = "status processing occurs images (0,146,10)";
const std::string kCompleted = "status processing is completed (0,146,10)";

class RecordingPipeline : public PhotoPipeline {
  public:
    explicit RecordingPipeline(FakeBatchWindow& window) : window_(window) {
        window_.log.push_back("make pipeline");
    }
    ~RecordingPipeline() override { window_.log.push_back("release pipeline"); }
    void load_logo(const std::filesystem::path& logo_path) override {
        window_.log.push_back("load logo " + path_to_utf8(logo_path));
    }
    void process_photo(PictureControls&, const std::filesystem::path& source,
                       const std::filesystem::path& output, int target_width) override {
        window_.log.push_back("process " + path_to_utf8(source) + " -> " + path_to_utf8(output) + " at " +
                              std::to_string(target_width));
        if (source.filename() == "bad.jpg") throw Error("JPEG error #53");
    }
    std::vector<std::uint8_t> encode_photo(PictureControls&, const std::filesystem::path& source,
                                           int) override {
        window_.log.push_back("encode " + path_to_utf8(source));
        return {};
    }
    std::unique_ptr<PhotoPipeline> sibling() const override {
        return std::make_unique<RecordingPipeline>(window_);
    }

  private:
    FakeBatchWindow& window_;
};

void click_run(FakeBatchWindow& window) {
    Button_start_photo_processingClick(window, [&] { return std::make_unique<RecordingPipeline>(window); });
}

TEST(BatchRun, AWidthNotAboveZeroStopsBeforeAnythingHappens) {
    for (const char* text : {"0", "", "abc", "-5", "99999999999", "12a"}) {
        FakeBatchWindow window;
        window.width = text;
        window.files = {"/photos/a.jpg"};
        click_run(window);
        EXPECT_EQ(window.log, (Log{"read width", kWidthError})) << text;
        EXPECT_EQ(window.status, "empty");
        EXPECT_EQ(window.processed_text, "0");
    }
}

TEST(BatchRun, AnEmptySelectionShowsItsBoxWhileTheButtonIsStillGuarded) {
    FakeBatchWindow window;
    click_run(window);
    EXPECT_EQ(window.log, (Log{"read width", "pump", "button disabled", "caption Processing...", "read width",
                               "read selection", "error: Images not selected. Select the files to process",
                               "caption Run process", "button enabled", "pump"}));
    EXPECT_EQ(window.status, "empty");
    EXPECT_EQ(window.status_color, kStatusGrey);
    EXPECT_EQ(window.processed_text, "0");
}

TEST(BatchRun, ReadsWritesAndPumpsInTheirOrder) {
    TestFolder program;
    FakeBatchWindow window;
    window.folder = program.path() / path_from_utf8("Программа с пробелом");
    std::filesystem::create_directories(window.folder);
    window.width = "640";
    window.files = {"/photos/a.JPG", "/other/a.JPG", "/photos/c.jpeg"};
    window.logo_path = "/logos/Логотип.png";
    window.position = 2;
    click_run(window);

    const std::string folder = path_to_utf8(window.folder) + test::kSeparator + "08.12.2026 0-15-21";
    EXPECT_EQ(
        window.log,
        (Log{"read width", "pump", "button disabled", "caption Processing...", "read width", "read selection",
             kProcessing, "pump", "make pipeline", "read date", "read time", "read program folder",
             "read logo path", "read position", "load logo /logos/Логотип.png", "pump",
             // one picture: pump, number, pump, pipeline
             "pump", "processed 1", "pump",
             "process /photos/a.JPG -> " + folder + test::kSeparator + "1.jpg at 640",  //
             "pump", "processed 2", "pump",
             "process /other/a.JPG -> " + folder + test::kSeparator + "2.jpg at 640",  //
             "pump", "processed 3", "pump",
             "process /photos/c.jpeg -> " + folder + test::kSeparator + "3.jpg at 640", "release pipeline",
             kCompleted,
             "information: All images were processed.\r\rProcessed images are in the folder " + folder,
             "pump", "caption Run process", "button enabled", "pump"}));
    EXPECT_TRUE(std::filesystem::is_directory(path_from_utf8(folder)));
    EXPECT_EQ(window.processed_text, "3");
    EXPECT_EQ(window.status, "processing is completed");
}

TEST(BatchRun, TheLogoIsLoadedOnlyWithAPathAndAPositionAboveNotToPut) {
    struct Case {
        std::string path;
        int position;
        bool loads;
    };
    for (const Case& c : {Case{"", 3, false}, Case{"/missing.png", 0, false}, Case{"/missing.png", -1, false},
                          Case{"/logo.png", 1, true}, Case{"/logo.png", 5, true}}) {
        FakeBatchWindow window;
        window.files = {"/a.jpg"};
        window.logo_path = c.path;
        window.position = c.position;
        click_run(window);
        const bool loaded = std::count(window.log.begin(), window.log.end(), "load logo " + c.path) == 1;
        EXPECT_EQ(loaded, c.loads) << c.path << " " << c.position;
        // The position is not read before the first picture when there is no path.
        EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "read position"), c.path.empty() ? 0 : 1);
        EXPECT_EQ(window.boxes.size(), 1u);
    }
}

TEST(BatchRun, AFailureStopsTheRunRestoresTheButtonAndTravelsOnUnchanged) {
    TestFolder program;
    FakeBatchWindow window;
    window.folder = program.path();
    window.files = {"/p/1.jpg", "/p/2.jpg", "/p/bad.jpg", "/p/4.jpg", "/p/5.jpg"};
    try {
        click_run(window);
        FAIL() << "the failure was swallowed";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "JPEG error #53");
    }
    const Log tail = window.log_from("processed 3");
    ASSERT_EQ(tail.size(), 6u);
    EXPECT_EQ(tail[2].rfind("process /p/bad.jpg -> ", 0), 0u) << tail[2];
    EXPECT_EQ(Log(tail.begin() + 3, tail.end()),
              (Log{"release pipeline", "caption Run process", "button enabled"}));
    EXPECT_EQ(window.processed_text, "3");
    EXPECT_EQ(window.status, "processing occurs images");
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_TRUE(window.run_enabled);
    EXPECT_EQ(window.run_caption, "Run process");
}

// A window whose Run button refuses to take its caption back.
class RefusingCaptionWindow : public FakeBatchWindow {
  public:
    void set_run_button_caption(const std::string& caption) override {
        FakeBatchWindow::set_run_button_caption(caption);
        if (caption == "Run process") throw Error("Caption refused");
    }
};

TEST(BatchRun, AFailureToRestoreTheButtonNeverHidesTheRunsOwnFailure) {
    TestFolder program;
    RefusingCaptionWindow failing;
    failing.folder = program.path();
    failing.files = {"/p/1.jpg", "/p/bad.jpg"};
    try {
        click_run(failing);
        FAIL() << "the failure was swallowed";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "JPEG error #53");
    }

    // Without a failure of the run, the failure to restore is the one reported.
    RefusingCaptionWindow completing;
    completing.folder = program.path();
    completing.files = {"/p/1.jpg"};
    try {
        click_run(completing);
        FAIL() << "the failure to restore was swallowed";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Caption refused");
    }
    EXPECT_EQ(completing.status, "processing is completed");
}

TEST(BatchRun, ClosingTheWindowEndsTheRunAtTheNextPumpWithoutAMessage) {
    FakeBatchWindow window;
    window.files = {"/a.jpg", "/b.jpg", "/c.jpg"};
    // Pumps: handler 1, after the status 2, after the logo 3, first picture 4 and 5, second picture 6.
    window.close_at_pump = 6;
    EXPECT_THROW(click_run(window), Abort);
    EXPECT_EQ(std::count_if(window.log.begin(), window.log.end(),
                            [](const std::string& entry) { return entry.rfind("process ", 0) == 0; }),
              1);
    EXPECT_EQ(window.log_from("release pipeline"),
              (Log{"release pipeline", "caption Run process", "button enabled"}));
    EXPECT_TRUE(window.boxes.empty());
}

TEST(BatchRun, WidthAndSelectionAreTakenOnceAtTheStart) {
    FakeBatchWindow window;
    window.width = "abc0";  // not a whole number: the handler refuses it
    window.files = {"/a.jpg", "/b.jpg"};
    click_run(window);
    EXPECT_EQ(window.log.back(), kWidthError);

    window = FakeBatchWindow{};
    window.width = "300";
    window.files = {"/a.jpg", "/b.jpg"};
    // The handler's pump changes the width text to one that is no number (the run then takes 800); later
    // pumps change the width and the selection again, which the run under way never sees.
    window.on_pump = [&](int pump) {
        if (pump == 1) window.width = "";
        if (pump == 2) {
            window.width = "5";
            window.files = {"/z.jpg"};
        }
    };
    click_run(window);
    const auto processes = std::count_if(window.log.begin(), window.log.end(), [](const std::string& entry) {
        return entry.rfind("process /", 0) == 0 && entry.ends_with(" at 800");
    });
    EXPECT_EQ(processes, 2);
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "read width"), 2);
}

}  // namespace
}  // namespace velmora::test
