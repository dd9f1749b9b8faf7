// A fresh temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace velmora::test {

class TestFolder {
  public:
    TestFolder() {
        // A random name, taken only when no other test has made it first.
        static std::mt19937_64 names{std::random_device{}()};
        const std::filesystem::path temporary = std::filesystem::temp_directory_path();
        do {
            path_ = temporary / ("velmora-test-" + std::to_string(names() % 1000000000));
        } while (!std::filesystem::create_directory(path_));
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace velmora::test
