#include <sys/wait.h>

#include <cstdlib>
#include <string_view>

#include "platform_support.hpp"

namespace velmora::test {

int run_command(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shell_quoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (const char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::optional<std::filesystem::path> find_program(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const auto candidate = std::filesystem::path(folders.substr(0, end)) / name;
        if (std::filesystem::exists(candidate)) return candidate;
        folders.remove_prefix(std::min(end + 1, folders.size()));
    }
    return std::nullopt;
}

std::string missing_file_reason() {
    return "No such file or directory";
}

std::string missing_folder_reason() {
    return "No such file or directory";
}

}  // namespace velmora::test
