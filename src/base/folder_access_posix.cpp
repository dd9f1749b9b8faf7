#include <fcntl.h>
#include <unistd.h>

#include "base/folder_access.hpp"

namespace velmora {

bool may_create_in(const std::filesystem::path& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace velmora
