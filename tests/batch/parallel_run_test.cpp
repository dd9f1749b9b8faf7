// Runs with several pictures at once: the files, numbers and messages of the run one picture at a time,
// however the pictures finish.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "batch/batch_run.hpp"
#include "support/fake_batch_window.hpp"
#include "support/jpeg_reader.hpp"
#include "support/jpeg_writer.hpp"
#include "support/png_writer.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

const char* const kOutputName = "08.12.2026 0-15-21";

std::set<std::string> names_in(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(path_to_utf8(entry.path().filename()));
    return names;
}

std::map<std::string, std::vector<std::uint8_t>> files_in(const std::filesystem::path& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[path_to_utf8(entry.path().filename())] = read_whole_file(entry.path());
    return files;
}

class ParallelRun : public ::testing::Test {
  protected:
    void SetUp() override {
        sources_ = temp_.path() / "sources";
        std::filesystem::create_directories(sources_);
    }
    std::filesystem::path source(const std::string& name) const { return sources_ / name; }

    // A window over the given sources whose output goes into a program folder of its own, `name`.
    FakeBatchWindow& window_for(const std::string& name, const std::vector<std::string>& sources) {
        auto& window = windows_[name];
        window.folder = temp_.path() / name;
        std::filesystem::create_directories(window.folder);
        for (const std::string& s : sources) window.files.push_back(source(s));
        return window;
    }
    std::filesystem::path output_folder(const std::string& name) const {
        return temp_.path() / name / kOutputName;
    }
    static std::string run_expecting_failure(FakeBatchWindow& window, const RunOptions& options,
                                             const PhotoPipelineFactory& make = make_photo_pipeline) {
        try {
            Button_start_photo_processingClick(window, make, options);
        } catch (const Error& error) {
            return error.what();
        }
        ADD_FAILURE() << "the run did not fail";
        return {};
    }

    TestFolder temp_;
    std::filesystem::path sources_;
    std::map<std::string, FakeBatchWindow> windows_;
};

RunOptions with_jobs(int jobs, int first_number = 1, std::string folder_name = {}) {
    RunOptions options;
    options.jobs = jobs;
    options.first_number = first_number;
    options.folder_name = std::move(folder_name);
    return options;
}

// The running numbers a window showed, in order.
std::vector<std::string> numbers_shown(const FakeBatchWindow& window) {
    std::vector<std::string> numbers;
    for (const std::string& entry : window.log)
        if (entry.rfind("processed ", 0) == 0) numbers.push_back(entry.substr(10));
    return numbers;
}

TEST_F(ParallelRun, AnyNumberOfJobsWritesTheBytesOfTheSerialRun) {
    struct Source {
        const char* name;
        int width, height;
        JpegKind kind;
    };
    // Sizes that finish in another order than they start: a large one first, small ones after it.
    const std::vector<Source> sources = {
        {"large.jpg", 2400, 1800, JpegKind::kBaseline},
        {"progressive.jpg", 1600, 1203, JpegKind::kProgressive},
        {"gray.jpg", 1200, 800, JpegKind::kGray},
        {"cmyk.jpg", 900, 600, JpegKind::kCmyk},
        {"narrow.jpg", 300, 200, JpegKind::kProgressive},
        {"tiny.jpg", 33, 17, JpegKind::kGray},
        {"wide.jpg", 3000, 40, JpegKind::kCmyk},
        {"equal.jpg", 640, 480, JpegKind::kBaseline},
    };
    std::vector<std::string> names;
    for (const Source& s : sources) {
        test::write_jpeg(source(s.name), s.width, s.height, s.kind);
        names.push_back(s.name);
    }
    names.push_back("large.jpg");  // the same source twice
    test::write_png_logo(source("logo.png"), 12, 9, 200, 30, 60);

    const int kJobs[] = {1, 2, 4};
    for (const int jobs : kJobs) {
        FakeBatchWindow& window = window_for("jobs " + std::to_string(jobs), names);
        window.width = "640";
        window.logo_path = path_to_utf8(source("logo.png"));
        window.position = 5;
        window.inset_horizontal = "7";
        window.quality_position = 83;
        Button_start_photo_processingClick(window, make_photo_pipeline, with_jobs(jobs));
        EXPECT_EQ(numbers_shown(window),
                  (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        EXPECT_EQ(window.status, "processing is completed");
        ASSERT_EQ(window.boxes.size(), 1u);
        EXPECT_EQ(window.boxes[0],
                  "information: All images were processed.\r\rProcessed images are in the folder " +
                      path_to_utf8(output_folder("jobs " + std::to_string(jobs))));
    }
    const auto serial = files_in(output_folder("jobs 1"));
    ASSERT_EQ(serial.size(), names.size());
    for (const int jobs : kJobs) {
        const auto parallel = files_in(output_folder("jobs " + std::to_string(jobs)));
        ASSERT_EQ(parallel.size(), serial.size()) << jobs << " jobs";
        for (const auto& [name, bytes] : serial)
            EXPECT_TRUE(parallel.at(name) == bytes) << name << ", " << jobs;
    }
}

TEST_F(ParallelRun, TheFirstFailureInSelectionOrderIsTheOneReportedAndNothingAfterItIsWritten) {
    for (const char* name : {"1.jpg", "2.jpg", "4.jpg", "6.jpg"})
        test::write_jpeg(source(name), 900, 100, JpegKind::kBaseline);
    test::write_png_logo(source("3.jpg"), 4, 4, 1, 2, 3);  // a PNG named .jpg
    const std::vector<std::string> names = {"1.jpg", "2.jpg", "3.jpg",
                                            "4.jpg", "5.jpg", "6.jpg"};  // no 5.jpg

    FakeBatchWindow& serial = window_for("serial", names);
    const std::string message = run_expecting_failure(serial, {});
    EXPECT_EQ(message, "JPEG error #53");
    FakeBatchWindow& parallel = window_for("parallel", names);
    EXPECT_EQ(run_expecting_failure(parallel, with_jobs(4)), message);
    EXPECT_EQ(names_in(output_folder("parallel")), (std::set<std::string>{"1.jpg", "2.jpg"}));
    EXPECT_EQ(numbers_shown(parallel), numbers_shown(serial));
    EXPECT_EQ(parallel.status, "processing occurs images");
    EXPECT_TRUE(parallel.boxes.empty());
    EXPECT_TRUE(parallel.run_enabled);
}

// A pipeline whose picture "3" fails only once 4, 5 and 6 are finished, so that they are done, and
// never written, before the failure is known.
class LateFailure {
  public:
    class Pipeline final : public PhotoPipeline {
      public:
        explicit Pipeline(LateFailure& shared) : shared_(shared) {}
        void load_logo(const std::filesystem::path&) override {}
        void process_photo(PictureControls&, const std::filesystem::path&, const std::filesystem::path&,
                           int) override {
            ADD_FAILURE() << "a parallel run writes its files itself";
        }
        std::vector<std::uint8_t> encode_photo(PictureControls& controls, const std::filesystem::path& source,
                                               int) override {
            const std::string name = path_to_utf8(source.filename());
            if (name == "3") {
                std::unique_lock lock(shared_.mutex_);
                const bool others_done = shared_.changed_.wait_for(lock, std::chrono::seconds(20),
                                                                   [&] { return shared_.later_done_ == 3; });
                EXPECT_TRUE(others_done) << "pictures 4 to 6 did not finish while 3 was under way";
                throw Error("picture 3 is broken");
            }
            controls.pump_messages();
            if (name > "3") {
                const std::lock_guard lock(shared_.mutex_);
                ++shared_.later_done_;
                shared_.changed_.notify_all();
            }
            return {name.begin(), name.end()};
        }
        std::unique_ptr<PhotoPipeline> sibling() const override {
            return std::make_unique<Pipeline>(shared_);
        }

      private:
        LateFailure& shared_;
    };

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int later_done_ = 0;  // of 4, 5 and 6
};

TEST_F(ParallelRun, PicturesFinishedAfterAFailingOneAreNeverWritten) {
    LateFailure shared;
    FakeBatchWindow& window = window_for("late", {"1", "2", "3", "4", "5", "6"});
    const std::string message = run_expecting_failure(
        window, with_jobs(4), [&] { return std::make_unique<LateFailure::Pipeline>(shared); });
    EXPECT_EQ(message, "picture 3 is broken");
    EXPECT_EQ(files_in(output_folder("late")),
              (std::map<std::string, std::vector<std::uint8_t>>{{"1.jpg", {'1'}}, {"2.jpg", {'2'}}}));
    EXPECT_EQ(numbers_shown(window), (std::vector<std::string>{"1", "2", "3"}));
}

// A window that is closed as soon as it shows the running number `closing_number`.
class ClosingWindow : public FakeBatchWindow {
  public:
    std::string closing_number;
    void set_processed_text(const std::string& text) override {
        FakeBatchWindow::set_processed_text(text);
        if (text == closing_number) close_at_pump = pumps + 1;
    }
};

TEST_F(ParallelRun, AClosedWindowStopsTheRunWithOnlyCompleteFilesNumberedFromTheStart) {
    test::write_jpeg(source("a.jpg"), 1200, 900, JpegKind::kProgressive);
    ClosingWindow window;
    window.folder = temp_.path() / "closed";
    std::filesystem::create_directories(window.folder);
    window.files.assign(12, source("a.jpg"));
    window.closing_number = "45";
    EXPECT_THROW(Button_start_photo_processingClick(window, make_photo_pipeline, with_jobs(3, 41)), Abort);
    // Pictures 41 to 44 were written before 45 was shown; none after it, and no temporary file.
    EXPECT_EQ(names_in(output_folder("closed")),
              (std::set<std::string>{"41.jpg", "42.jpg", "43.jpg", "44.jpg"}));
    for (const auto& [name, bytes] : files_in(output_folder("closed"))) {
        EXPECT_EQ(test::read_jpeg_facts(output_folder("closed") / name).width, 800) << name;
        EXPECT_TRUE(bytes == files_in(output_folder("closed")).at("41.jpg")) << name;
    }
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_TRUE(window.run_enabled);
}

TEST_F(ParallelRun, AFolderNameGivenTakesThePlaceOfTheDateAndTime) {
    test::write_jpeg(source("a.jpg"), 90, 60, JpegKind::kBaseline);
    FakeBatchWindow& window = window_for("named", {"a.jpg", "a.jpg"});
    Button_start_photo_processingClick(window, make_photo_pipeline, with_jobs(2, 7, "Shard"));
    EXPECT_EQ(names_in(temp_.path() / "named" / "Shard"), (std::set<std::string>{"7.jpg", "8.jpg"}));
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "read date"), 0);
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "read time"), 0);
}

}  // namespace
}  // namespace velmora::test
