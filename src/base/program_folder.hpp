// Where the running program file is.
#pragma once

#include <filesystem>

namespace velmora {

// The folder holding the running executable, as a full path. When the system does not tell (a
// stripped-down /proc), the current folder.
std::filesystem::path program_folder();

}  // namespace velmora
