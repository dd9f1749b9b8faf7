// The file helpers where Windows' sharing rules decide.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {
namespace {

// A handle of "another program" on the file, with the given access and sharing.
class OtherProgramsHandle {
  public:
    OtherProgramsHandle(const std::filesystem::path& path, DWORD access, DWORD sharing)
        : handle_(CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    OtherProgramsHandle(const OtherProgramsHandle&) = delete;
    OtherProgramsHandle& operator=(const OtherProgramsHandle&) = delete;
    ~OtherProgramsHandle() { CloseHandle(handle_); }
    bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

std::string error_of(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& error) {
        return error.what();
    }
    return "<none>";
}

TEST(FileIoWin32, ASourceIsReadWhileOthersReadButNotWhileTheyWrite) {
    TestFolder folder;
    const auto path = folder.path() / path_from_utf8("Фото 1.jpg");
    const std::vector<std::uint8_t> content = {1, 2, 3};
    write_file_atomically(path, content);
    {
        OtherProgramsHandle reader(path, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader.is_open());
        EXPECT_EQ(read_whole_file(path), content);
    }
    OtherProgramsHandle writer(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer.is_open());
    const std::string message = error_of([&] { read_whole_file(path); });
    const std::string prefix = "Cannot open file \"" + path_to_utf8(path) + "\". ";
    ASSERT_TRUE(message.starts_with(prefix)) << message;
    // The system's reason, one line without its line break.
    const std::string reason = message.substr(prefix.size());
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
}

TEST(FileIoWin32, AnOutputThatAnotherProgramHoldsStaysAsItWas) {
    TestFolder folder;
    const auto path = folder.path() / "1.jpg";
    const std::vector<std::uint8_t> older = {'o', 'l', 'd'};
    write_file_atomically(path, older);
    {
        // A viewer that keeps the picture open and lets no one delete or rename it.
        OtherProgramsHandle viewer(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(viewer.is_open());
        // The finished output cannot be moved into place: a failure to create it.
        const std::string message = error_of([&] { write_file_atomically(path, {{'n', 'e', 'w'}}); });
        EXPECT_TRUE(message.starts_with("Cannot create file \"" + path_to_utf8(path) + "\". ")) << message;
    }
    EXPECT_EQ(read_whole_file(path), older);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left

    write_file_atomically(path, {{'n', 'e', 'w'}}, Durability::kFlushToDisk);
    EXPECT_EQ(read_whole_file(path), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
}

TEST(FileIoWin32, AReadOnlyOlderFileIsRefusedAsAPlainCreateRefusesIt) {
    TestFolder folder;
    const auto path = folder.path() / "1.jpg";
    const std::vector<std::uint8_t> older = {'o', 'l', 'd'};
    write_file_atomically(path, older);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string message = error_of([&] { write_file_atomically(path, {{'n', 'e', 'w'}}); });
    EXPECT_TRUE(message.starts_with("Cannot create file \"" + path_to_utf8(path) + "\". ")) << message;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(read_whole_file(path), older);
}

}  // namespace
}  // namespace velmora::test
