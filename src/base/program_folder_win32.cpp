#include <windows.h>

#include <string>

#include "base/program_folder.hpp"

namespace velmora {

std::filesystem::path program_folder() {
    // The path is cut to the buffer without a word when it is longer: grow the buffer until it fits.
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::filesystem::current_path();
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace velmora
