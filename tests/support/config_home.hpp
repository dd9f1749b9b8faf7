// A configuration home of the test's own (POSIX systems), and the text of the hive files in it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "test_folder.hpp"

namespace velmora::test {

// Points XDG_CONFIG_HOME at a fresh temporary folder for the life of the object.
class TemporaryConfigHome {
  public:
    TemporaryConfigHome();
    TemporaryConfigHome(const TemporaryConfigHome&) = delete;
    TemporaryConfigHome& operator=(const TemporaryConfigHome&) = delete;
    ~TemporaryConfigHome();
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path hive_folder() const { return folder_.path() / "velmora"; }
    std::filesystem::path hive_file() const { return hive_folder() / "HKEY_CURRENT_USER.reg"; }

  private:
    TestFolder folder_;
    std::optional<std::string> saved_;
};

// The text of a hive file, decoded from its UTF-16 as the hive reads it.
std::string read_text_file(const std::filesystem::path& path);

}  // namespace velmora::test
