#include "base/file_io.hpp"

#include <atomic>

#include "base/error.hpp"
#include "base/file_io_platform.hpp"

namespace velmora {

namespace {

std::string quoted_message(const char* what, const std::filesystem::path& path, const std::string& reason) {
    return std::string(what) + " \"" + path_to_utf8(path) + "\". " + reason;
}

}  // namespace

std::string path_to_utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path path_from_utf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

void raise_cannot_open(const std::filesystem::path& path, const std::string& reason) {
    throw Error(quoted_message("Cannot open file", path, reason));
}

CannotCreateFile::CannotCreateFile(const std::filesystem::path& path, const std::string& reason)
    : Error(quoted_message("Cannot create file", path, reason)), path_(path) {}

void raise_cannot_create(const std::filesystem::path& path, const std::string& reason) {
    throw CannotCreateFile(path, reason);
}

void raise_cannot_write(const std::filesystem::path& path, const std::string& reason) {
    throw Error(quoted_message("Cannot write file", path, reason));
}

std::filesystem::path temporary_name_for(const std::filesystem::path& path, unsigned long process_id) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path name = ".";
    name += path.filename();
    name += "." + std::to_string(process_id) + "." + std::to_string(counter++) + ".tmp";
    return path.parent_path() / name;
}

}  // namespace velmora
