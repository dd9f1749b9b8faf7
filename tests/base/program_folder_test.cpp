#include "base/program_folder.hpp"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningTestProgram) {
    EXPECT_TRUE(std::filesystem::equivalent(program_folder(), VELMORA_BINARY_DIR)) << program_folder();
    EXPECT_TRUE(program_folder().is_absolute());
}

}  // namespace
}  // namespace velmora
