#include <cstdlib>
#include <fstream>
#include <iterator>

#include "config_home.hpp"
#include "settings/hive_format.hpp"

namespace velmora::test {

TemporaryConfigHome::TemporaryConfigHome() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
    ::setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
}

TemporaryConfigHome::~TemporaryConfigHome() {
    if (saved_) {
        ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

std::string read_text_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return hive_file_text({std::istreambuf_iterator<char>(file), {}});
}

}  // namespace velmora::test
