// The driver in the pipelines and shells of POSIX systems: a reader that goes away, signals, relative
// paths, and shards of one selection run by GNU parallel.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/file_io.hpp"
#include "support/jpeg_reader.hpp"
#include "support/jpeg_writer.hpp"
#include "support/platform_support.hpp"
#include "tools/velmora_batch_driver.hpp"

namespace velmora::test {
namespace {

std::map<std::string, std::vector<std::uint8_t>> files_in(const std::filesystem::path& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[path_to_utf8(entry.path().filename())] = read_whole_file(entry.path());
    return files;
}

class VelmoraBatchPosix : public VelmoraBatchDriver {
  protected:
    // `count` sources, written once, named 1.jpg, 2.jpg, ... in a folder of their own.
    std::string photos(int count, int width, int height) {
        std::string list;
        const auto folder = temp_.path() / "photos";
        std::filesystem::create_directories(folder);
        for (int i = 1; i <= count; ++i) {
            const auto photo = folder / (std::to_string(i) + ".jpg");
            test::write_jpeg(photo, width + i, height,
                             i % 2 ? test::JpegKind::kProgressive : test::JpegKind::kCmyk);
            list += " " + quoted(photo);
        }
        return list;
    }
    // Runs `script` with sh in the test's folder; answers the exit status it leaves in "status".
    int shell(const std::string& script) {
        const auto file = temp_.path() / "script.sh";
        std::ofstream(file) << "cd " << quoted(temp_.path()) << "\n" << script << "\n";
        test::run_command("sh " + quoted(file));
        return std::stoi(text_of(temp_.path() / "status"));
    }
};

TEST_F(VelmoraBatchPosix, AClosedStandardOutputDoesNotEndTheRun) {
    const std::string list = photos(6, 600, 400);
    // The reader is gone before the second line, so every later line meets a closed pipe.
    const int status =
        shell("{ " + quoted(driver_) + " --width 300 --quality 80 --jobs 2 --into out --folder run" + list +
              " 2>err; echo $? >status; } | head -1 >first");
    EXPECT_EQ(status, 0) << text_of(temp_.path() / "err");
    EXPECT_EQ(text_of(temp_.path() / "first"), "processing occurs images\n");
    EXPECT_EQ(text_of(temp_.path() / "err"), "");
    EXPECT_EQ(files_in(temp_.path() / "out" / "run").size(), 6u);
}

TEST_F(VelmoraBatchPosix, PathsInMessagesAreAbsoluteAndNormalised) {
    photos(1, 30, 20);
    const std::string run_line = quoted(driver_) + " --width 300 --quality 80 --into ./x/../out ";
    const auto here = std::filesystem::canonical(temp_.path());
    shell(run_line + "--logo ./photos/../logo.png --position 3 photos/1.jpg 2>err; echo $? >status");
    EXPECT_EQ(text_of(temp_.path() / "err")
                  .rfind("Cannot open file \"" + path_to_utf8(here / "logo.png") + "\"", 0),
              0u)
        << text_of(temp_.path() / "err");
    EXPECT_EQ(shell(run_line + "./photos/../gone.jpg >out.txt 2>err; echo $? >status"), 1);
    EXPECT_EQ(text_of(temp_.path() / "err")
                  .rfind("Cannot open file \"" + path_to_utf8(here / "gone.jpg") + "\"", 0),
              0u)
        << text_of(temp_.path() / "err");
    EXPECT_NE(text_of(temp_.path() / "out.txt").find("picture 1"), std::string::npos);
}

TEST_F(VelmoraBatchPosix, AnInterruptedParallelRunLeavesOnlyCompleteFiles) {
    const std::string list = photos(1, 2000, 1500);
    std::string many;
    for (int i = 0; i < 100; ++i) many += " photos/1.jpg";
    const int status =
        shell(quoted(driver_) + " --width 800 --quality 80 --jobs 2 --into out --folder run" + many +
              " >/dev/null 2>err & pid=$!\n"
              // A driver that never gets there is interrupted after 20 s all the same.
              "i=0; while [ ! -e out/run/2.jpg ] && [ $i -lt 2000 ]; do sleep 0.01; i=$((i + 1)); done\n"
              "kill -INT $pid; wait $pid; echo $? >status");
    EXPECT_EQ(status, 130);
    EXPECT_EQ(text_of(temp_.path() / "err"), "interrupted\n");
    const auto written = files_in(temp_.path() / "out" / "run");
    ASSERT_GE(written.size(), 2u);
    EXPECT_LT(written.size(), 100u);
    // Numbered from 1 without a gap, each a whole picture with the bytes of the first.
    for (std::size_t n = 1; n <= written.size(); ++n) {
        const std::string name = std::to_string(n) + ".jpg";
        ASSERT_EQ(written.count(name), 1u) << name;
        EXPECT_TRUE(written.at(name) == written.at("1.jpg")) << name;
    }
    EXPECT_EQ(test::read_jpeg_facts(temp_.path() / "out" / "run" / "1.jpg").height, 600);
}

TEST_F(VelmoraBatchPosix, OnATerminalAProgressLineStandsForThePictureLinesAndQuietForAllButErrors) {
    if (!test::find_program("script")) GTEST_SKIP() << "script(1) is not installed";
    const std::string list = photos(3, 300, 200);
    // script(1) runs the driver on a terminal of its own and copies what it shows to its standard output.
    const auto on_terminal = [&](const std::string& options) {
        const std::string line =
            quoted(driver_) + " --width 100 --quality 80 --jobs 2 --into out " + options + list;
        shell("script -qec " + test::shell_quoted(std::filesystem::path(line)) +
              " /dev/null >screen; echo $? >status");
        return text_of(temp_.path() / "screen");
    };
    const std::string screen = on_terminal("--folder shown");
    EXPECT_NE(screen.find("processing occurs images"), std::string::npos) << screen;
    EXPECT_NE(screen.find("\r\x1b[K0/3 pictures, "), std::string::npos) << screen;
    EXPECT_NE(screen.find("\r\x1b[K2/3 pictures, "), std::string::npos) << screen;
    // Erased before the completion text, which follows on a clean line.
    EXPECT_NE(screen.find(" left\r\x1b[Kprocessing is completed"), std::string::npos) << screen;
    EXPECT_EQ(screen.find("picture 1"), std::string::npos) << screen;
    EXPECT_EQ(files_in(temp_.path() / "out" / "shown").size(), 3u);

    EXPECT_EQ(on_terminal("--folder quiet --quiet"), "");
    EXPECT_EQ(files_in(temp_.path() / "out" / "quiet").size(), 3u);
    EXPECT_EQ(on_terminal("--folder quiet --quiet --logo gone.png --position 1").find("Cannot open file"),
              0u);
}

TEST_F(VelmoraBatchPosix, ShardsRunByGnuParallelWriteTheFilesOfOneRun) {
    if (!test::find_program("parallel")) GTEST_SKIP() << "GNU parallel is not installed";
    const std::string list = photos(7, 500, 300);
    // The whole selection in one run, every job's worth of it.
    ASSERT_EQ(shell(quoted(driver_) + " --width 320 --quality 70 --into out --folder one" + list +
                    " >/dev/null; echo $? >status"),
              0);
    // Shards of three, each numbered from where it starts in the selection, on two jobs at once.
    ASSERT_EQ(shell("printf '%s\\n'" + list + " | parallel --will-cite -j2 -N3 " + quoted(driver_) +
                    " --width 320 --quality 70 --jobs 1 --into out --folder shards --start-number "
                    "'{=1 $_=(seq()-1)*3+1 =}' {} >/dev/null; echo $? >status"),
              0);
    const auto one = files_in(temp_.path() / "out" / "one");
    EXPECT_EQ(one.size(), 7u);
    EXPECT_TRUE(files_in(temp_.path() / "out" / "shards") == one);
}

}  // namespace
}  // namespace velmora::test
