// The driver's tests run the program itself, as a script would.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/platform_support.hpp"
#include "support/test_folder.hpp"

namespace velmora::test {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::filesystem::path& path) {
    return test::shell_quoted(path);
}

inline std::string text_of(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the built driver through the system's command interpreter, with standard output and standard
// error caught in files of the test's own folder.
class VelmoraBatchDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        driver_ = std::filesystem::path(VELMORA_BINARY_DIR) / "velmora-batch";
        driver_ += std::filesystem::path(VELMORA_EXECUTABLE_SUFFIX);
        if (!std::filesystem::exists(driver_)) GTEST_SKIP() << "velmora-batch is not built";
    }
    Outcome run(const std::string& arguments) {
        const auto out = temp_.path() / "stdout";
        const auto err = temp_.path() / "stderr";
        const std::string command =
            quoted(driver_) + " " + arguments + " >" + quoted(out) + " 2>" + quoted(err);
        return {test::run_command(command), text_of(out), text_of(err)};
    }

    std::filesystem::path driver_;
    TestFolder temp_;
};

}  // namespace velmora::test
