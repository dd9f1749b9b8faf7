#include "base/program_folder.hpp"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningTestProgram) {
    EXPECT_TRUE(program_folder().is_absolute()) << program_folder();
    EXPECT_TRUE(
        std::filesystem::is_regular_file(program_folder() / ("velmora_tests" VELMORA_EXECUTABLE_SUFFIX)))
        << program_folder();
}

}  // namespace
}  // namespace velmora
