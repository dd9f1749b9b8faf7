// Windows decides by the folder's access list, which only the system can read aright: asking whether a
// file may be made is making one, hidden, and deleted again as it is closed.
#include <windows.h>

#include "base/file_io_platform.hpp"
#include "base/folder_access.hpp"

namespace velmora {

bool may_create_in(const std::filesystem::path& folder) {
    const std::filesystem::path probe = temporary_name_for(folder / "velmora", GetCurrentProcessId());
    const HANDLE file =
        CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace velmora
