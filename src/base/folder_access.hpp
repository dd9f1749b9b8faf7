// Whether this user may make files and folders inside a folder.
#pragma once

#include <filesystem>

namespace velmora {

// True when this user may create entries in the folder: it exists, and the program's effective user has
// write and search rights to it on a file system that is not read-only.
bool may_create_in(const std::filesystem::path& folder);

}  // namespace velmora
