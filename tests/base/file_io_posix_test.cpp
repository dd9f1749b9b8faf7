// The file helpers where POSIX permissions decide.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "support/child_process.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

TEST(FileIoPosix, AFolderThatTakesNoFilesLeavesTheOlderFileIntact) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders anyway";
    TestFolder folder;
    const auto path = folder.path() / "3.jpg";
    const std::vector<std::uint8_t> older = {'o', 'l', 'd'};
    write_file_atomically(path, older);
    ::chmod(folder.path().c_str(), 0500);
    EXPECT_THROW(write_file_atomically(path, std::vector<std::uint8_t>{'n', 'e', 'w'}), Error);
    ::chmod(folder.path().c_str(), 0700);
    EXPECT_EQ(read_whole_file(path), older);
}

TEST(FileIoPosix, AnOlderFileIsReplacedOnlyWhereAPlainCreateWouldBe) {
    TestFolder folder;
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    const auto protected_file = folder.path() / "1.jpg";
    const std::vector<std::uint8_t> older = {'o', 'l', 'd'};
    write_file_atomically(protected_file, older);
    ::chmod(protected_file.c_str(), 0444);
    // As a user other than root, whose rights would override the protection; the folder lets that user
    // rename a file over the older one, as it would let them delete it.
    const std::string expected =
        "Cannot create file \"" + path_to_utf8(protected_file) + "\". Permission denied";
    EXPECT_EQ(run_in_child(
                  [&] {
                      try {
                          write_file_atomically(protected_file, std::vector<std::uint8_t>{'n', 'e', 'w'});
                          return 1;
                      } catch (const CannotCreateFile& error) {
                          return error.what() == expected && error.path() == protected_file ? 0 : 2;
                      }
                  },
                  true),
              0);
    EXPECT_EQ(read_whole_file(protected_file), older);

    // A folder in the way: the finished file cannot be renamed into place, which is a failure to create it.
    const auto taken = folder.path() / "2.jpg";
    std::filesystem::create_directories(taken / "inside");
    try {
        write_file_atomically(taken, older);
        FAIL() << "a file was renamed over a folder";
    } catch (const CannotCreateFile& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + path_to_utf8(taken) + "\". Is a directory");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);  // no temporary left
}

}  // namespace
}  // namespace velmora::test
