// Helpers shared by the hive and store tests: a temporary configuration home, hive files written by
// hand, and work done in a child process.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "settings/hive_format.hpp"
#include "test_folder.hpp"

namespace velmora {

// Points XDG_CONFIG_HOME at a fresh temporary folder for the life of the object.
class TemporaryConfigHome {
  public:
    TemporaryConfigHome() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
        ::setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
    }
    TemporaryConfigHome(const TemporaryConfigHome&) = delete;
    TemporaryConfigHome& operator=(const TemporaryConfigHome&) = delete;
    ~TemporaryConfigHome() {
        if (saved_) {
            ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path hive_folder() const { return folder_.path() / "velmora"; }
    std::filesystem::path hive_file() const { return hive_folder() / "HKEY_CURRENT_USER.reg"; }

  private:
    TestFolder folder_;
    std::optional<std::string> saved_;
};

inline void write_text_file(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The text of a hive file, decoded from its UTF-16 as the hive reads it.
inline std::string read_text_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return hive_file_text({std::istreambuf_iterator<char>(file), {}});
}

// Runs `work` in a forked child and answers its exit code (-1 when it did not exit normally). With
// `unprivileged`, a child running as root first becomes the user nobody, so that file permissions bind.
inline int run_in_child(const std::function<int()>& work, bool unprivileged = false) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(work());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace velmora
