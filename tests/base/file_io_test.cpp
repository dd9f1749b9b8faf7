#include "base/file_io.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "base/error.hpp"
#include "support/platform_support.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

std::vector<std::uint8_t> bytes_of(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(FileIo, WritesAndReadsWholeFilesUnderAnyName) {
    TestFolder folder;
    const auto path = folder.path() / path_from_utf8("Фото с пробелом.jpg");
    write_file_atomically(path, bytes_of("first content"));
    EXPECT_EQ(read_whole_file(path), bytes_of("first content"));
    write_file_atomically(path, bytes_of("new"), Durability::kFlushToDisk);
    EXPECT_EQ(read_whole_file(path), bytes_of("new"));
    write_file_atomically(path, {});
    EXPECT_TRUE(read_whole_file(path).empty());
    // Only the final file remains: no temporary is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(FileIo, OpenFailuresCarryThePathAndTheSystemsReason) {
    TestFolder folder;
    const auto missing = folder.path() / path_from_utf8("нет.jpg");
    try {
        read_whole_file(missing);
        FAIL() << "a missing file was read";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + path_to_utf8(missing) + "\". " + test::missing_file_reason());
    }
    EXPECT_THROW(read_whole_file(folder.path()), Error);
}

TEST(FileIo, AFailedWriteLeavesTheOlderFileIntact) {
    TestFolder folder;
    const auto path = folder.path() / "3.jpg";
    write_file_atomically(path, bytes_of("older run"));
    const auto gone = folder.path() / "removed" / "3.jpg";
    try {
        write_file_atomically(gone, bytes_of("x"));
        FAIL() << "wrote into a missing folder";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + path_to_utf8(gone) + "\". " + test::missing_folder_reason());
    }
    EXPECT_EQ(read_whole_file(path), bytes_of("older run"));
}

}  // namespace
}  // namespace velmora::test
