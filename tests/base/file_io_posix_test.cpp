// The file helpers where POSIX permissions decide.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "test_folder.hpp"

namespace velmora {
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

}  // namespace
}  // namespace velmora
