#include <system_error>

#include "base/program_folder.hpp"

namespace velmora {

std::filesystem::path program_folder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace velmora
