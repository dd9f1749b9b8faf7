// Where a run writes, decided through the window's answers: beside the program when the user may write
// there, else in Velmora inside the pictures folder; and what the first save says when the folder could
// not be made. Runs that must lack root's rights to be meaningful run in a child as the user nobody.
#include "batch/output_place.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "batch/photo_pipeline.hpp"
#include "support/child_process.hpp"
#include "support/fake_batch_window.hpp"
#include "support/jpeg_writer.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

const char* const kFolderName = "08.12.2026 0-15-21";
const std::string kCompleted =
    "information: All images were processed.\r\rProcessed images are in the folder ";

class OutputPlace : public ::testing::Test {
  protected:
    void SetUp() override {
        // Every user may reach and write the temporary folder; what is denied is denied below it.
        std::filesystem::permissions(temp_.path(), std::filesystem::perms::all);
        std::filesystem::create_directories(home_);
        std::filesystem::permissions(home_, std::filesystem::perms::all);
        std::filesystem::create_directories(program_);
        photo_ = temp_.path() / "photo.jpg";
        test::write_jpeg(photo_, 40, 30, test::JpegKind::kBaseline);
        window_.folder = program_;
        window_.pictures = home_ / "Pictures";  // not made yet, as for a new user
        window_.files = {photo_};
    }

    // Takes away every right to the program's folder but reading it.
    void make_program_folder_read_only() {
        std::filesystem::permissions(
            program_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                          std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    }

    // Runs the batch as nobody and answers its last box, or "failure: " and the message it failed with.
    std::string run_without_privileges() {
        int report[2];
        if (::pipe(report) != 0) return "no pipe";
        const int status = run_in_child(
            [&] {
                std::string outcome;
                try {
                    Button_start_photo_processingClick(window_);
                    outcome = window_.boxes.empty() ? "no box" : window_.boxes.back();
                } catch (const Error& error) {
                    outcome = std::string("failure: ") + error.what();
                }
                return ::write(report[1], outcome.data(), outcome.size()) ==
                               static_cast<ssize_t>(outcome.size())
                           ? 0
                           : 1;
            },
            true);
        ::close(report[1]);
        std::string outcome(4096, '\0');
        const ssize_t got = ::read(report[0], outcome.data(), outcome.size());
        ::close(report[0]);
        outcome.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return status == 0 ? outcome : "child ended with " + std::to_string(status);
    }

    bool pictures_folder_read() const {
        return std::count(window_.log.begin(), window_.log.end(), "read pictures folder") > 0;
    }

    TestFolder temp_;
    const std::filesystem::path home_ = temp_.path() / "home";
    const std::filesystem::path program_ = temp_.path() / path_from_utf8("программа");
    std::filesystem::path photo_;
    FakeBatchWindow window_;
};

TEST_F(OutputPlace, AWritableProgramFolderTakesTheOutput) {
    Button_start_photo_processingClick(window_);
    const std::filesystem::path folder = program_ / kFolderName;
    EXPECT_EQ(window_.boxes, std::vector<std::string>{kCompleted + path_to_utf8(folder)});
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "1.jpg"));
    EXPECT_FALSE(pictures_folder_read());
    EXPECT_FALSE(std::filesystem::exists(home_ / "Pictures"));
}

TEST_F(OutputPlace, OtherwiseVelmoraInThePicturesFolderIsMadeForIt) {
    make_program_folder_read_only();
    const std::filesystem::path folder = home_ / "Pictures" / "Velmora" / kFolderName;
    EXPECT_EQ(run_without_privileges(), kCompleted + path_to_utf8(folder));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "1.jpg"));
    EXPECT_TRUE(std::filesystem::is_empty(program_));
}

TEST_F(OutputPlace, WithoutAPicturesFolderTheOutputStaysBesideTheProgram) {
    make_program_folder_read_only();
    window_.pictures.clear();
    const std::filesystem::path first = program_ / kFolderName / "1.jpg";
    // The first save gives the reason the folder could not be made, not that it is missing.
    EXPECT_EQ(run_without_privileges(),
              "failure: Cannot create file \"" + path_to_utf8(first) + "\". Permission denied");
    EXPECT_FALSE(std::filesystem::exists(home_ / "Pictures"));
}

TEST_F(OutputPlace, AFolderThatCannotBeMadeFailsTheFirstSaveWithItsReason) {
    make_program_folder_read_only();
    std::filesystem::create_directories(home_ / "Pictures");  // the user's, but not theirs to write
    const std::filesystem::path first = home_ / "Pictures" / "Velmora" / kFolderName / "1.jpg";
    EXPECT_EQ(run_without_privileges(),
              "failure: Cannot create file \"" + path_to_utf8(first) + "\". Permission denied");

    // A first photo that cannot be read still fails first, as it would into a folder that exists.
    window_.files = {temp_.path() / "missing.jpg", photo_};
    EXPECT_EQ(run_without_privileges(), "failure: Cannot open file \"" +
                                            path_to_utf8(temp_.path() / "missing.jpg") +
                                            "\". No such file or directory");

    // Any user: a file where the folder should be.
    std::filesystem::permissions(program_, std::filesystem::perms::owner_all);
    std::ofstream(program_ / kFolderName) << "in the way";
    window_.files = {photo_};
    try {
        Button_start_photo_processingClick(window_);
        FAIL() << "the run wrote through a file";
    } catch (const CannotCreateFile& error) {
        EXPECT_EQ(error.path(), program_ / kFolderName / "1.jpg");
    }
}

}  // namespace
}  // namespace velmora::test
