#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/user_folders.hpp"

namespace velmora {

namespace {

constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR=";
constexpr std::string_view kHomeVariable = "$HOME";
// The file holds a few short lines; more than this is not such a file, and is not read further.
constexpr std::size_t kMaxUserDirsBytes = 65536;

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

// Up to kMaxUserDirsBytes of the file; nothing when it cannot be read. A pipe in its place gives what is
// waiting in it instead of holding the program up.
std::string start_of_file(const std::filesystem::path& path) {
    std::string text(kMaxUserDirsBytes, '\0');
    std::size_t filled = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd >= 0 && filled < text.size()) {
        const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (fd >= 0) ::close(fd);
    text.resize(filled);
    return text;
}

// The value of a shell assignment as the file holds it: a double-quoted text, in which a backslash keeps
// the character after it, or a word up to the first blank.
std::string assigned_value(std::string_view text) {
    std::string value;
    if (text.empty() || text.front() != '"') {
        const std::size_t end = text.find_first_of(" \t");
        return std::string(text.substr(0, end));
    }
    for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        value += text[i];
    }
    return value;
}

// The folder a value names, or nothing for an empty or relative one. Only a leading $HOME is expanded.
std::optional<std::filesystem::path> named_folder(std::string value, const std::filesystem::path& home) {
    if (value == kHomeVariable || value.starts_with(std::string(kHomeVariable) + "/"))
        value = home.string() + value.substr(kHomeVariable.size());
    std::filesystem::path folder = std::filesystem::path(value).lexically_normal();
    if (!folder.is_absolute()) return std::nullopt;
    // "$HOME/" names the home folder itself, not an empty name inside it.
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    return folder;
}

}  // namespace

std::filesystem::path user_home_folder() {
    if (const auto home = environment("HOME")) return *home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && *found->pw_dir != '\0')
        return found->pw_dir;
    return "/";
}

// A relative $XDG_CONFIG_HOME is ignored: it would mean another folder for every folder the program is
// started in.
std::filesystem::path user_config_folder() {
    if (const auto config_home = environment("XDG_CONFIG_HOME")) {
        const std::filesystem::path folder(*config_home);
        if (folder.is_absolute()) return folder;
    }
    return user_home_folder() / ".config";
}

std::filesystem::path user_pictures_folder() {
    const std::filesystem::path home = user_home_folder();
    std::istringstream lines(start_of_file(user_config_folder() / "user-dirs.dirs"));
    std::optional<std::string> last_value;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || !std::string_view(line).substr(start).starts_with(kPicturesKey))
            continue;
        last_value = assigned_value(std::string_view(line).substr(start + kPicturesKey.size()));
    }
    if (last_value) {
        if (const auto folder = named_folder(*last_value, home)) return *folder;
    }
    return home / "Pictures";
}

}  // namespace velmora
