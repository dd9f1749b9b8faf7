#include "batch/output_location.hpp"

#include <gtest/gtest.h>

#include "base/file_io.hpp"
#include "support/platform_support.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

TEST(OutputLocation, FolderNamesReplaceEveryCharacterThatCannotStandInOneFolderName) {
    EXPECT_EQ(output_folder_name("08.12.2026", "0:15:21"), "08.12.2026 0-15-21");
    EXPECT_EQ(output_folder_name("08.12.2026", "2:05:09 PM"), "08.12.2026 2-05-09 PM");
    EXPECT_EQ(output_folder_name("12/08/26", "16:41:52"), "12-08-26 16-41-52");
    EXPECT_EQ(output_folder_name("2026\\12\\08", "16:41"), "2026-12-08 16-41");
    EXPECT_EQ(output_folder_name("8 дек. 2026", "16:41:52"), "8 дек. 2026 16-41-52");
}

TEST(OutputLocation, FilesAreNumberedWithoutLeadingZerosInsideTheFolder) {
    const auto folder = output_folder_path(path_from_utf8("/opt/Мой каталог"), "08.12.2026 0-15-21");
    EXPECT_EQ(path_to_utf8(folder), "/opt/Мой каталог" + test::kSeparator + "08.12.2026 0-15-21");
    EXPECT_EQ(path_to_utf8(output_folder_path("/opt/velmora/", "x")), "/opt/velmora/x");
    EXPECT_EQ(path_to_utf8(output_file_path(folder, 1)),
              "/opt/Мой каталог" + test::kSeparator + "08.12.2026 0-15-21" + test::kSeparator + "1.jpg");
    EXPECT_EQ(output_file_path("/a", 12).filename(), "12.jpg");
}

TEST(OutputLocation, CreatingReusesAnExistingFolderAndMakesMissingParents) {
    TestFolder temp;
    const auto folder = temp.path() / path_from_utf8("вложенная папка") / "08.12.2026 0-15-21";
    EXPECT_FALSE(create_output_folder(folder));
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    write_file_atomically(folder / "5.jpg", std::vector<std::uint8_t>{1, 2, 3});
    EXPECT_FALSE(create_output_folder(folder));
    EXPECT_TRUE(std::filesystem::exists(folder / "5.jpg"));

    // A file in the way is not raised here, only answered; the first save reports it.
    const auto blocked = temp.path() / "blocked";
    write_file_atomically(blocked, std::vector<std::uint8_t>{1});
    EXPECT_TRUE(create_output_folder(blocked / "08.12.2026 0-15-21"));
    EXPECT_FALSE(std::filesystem::is_directory(blocked));
}

}  // namespace
}  // namespace velmora::test
