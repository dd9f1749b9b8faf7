#include "selection.hpp"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "base/error.hpp"
#include "base/file_io.hpp"

namespace velmora {
namespace {

bool is_jpeg_name(const std::filesystem::path& path) {
    std::string extension = path_to_utf8(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".jpg" || extension == ".jpeg";
}

[[noreturn]] void raise_cannot_open_folder(const std::filesystem::path& folder,
                                           const std::error_code& error) {
    throw Error("Cannot open folder \"" + path_to_utf8(folder) + "\". " + error.message());
}

std::vector<std::filesystem::directory_entry> entries_in_name_order(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) raise_cannot_open_folder(folder, error);
    std::vector<std::filesystem::directory_entry> entries;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) break;
        entries.push_back(*it);
    }
    if (error) raise_cannot_open_folder(folder, error);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    return entries;
}

void add_folder(const std::filesystem::path& folder, bool recursive,
                std::vector<std::filesystem::path>& pictures) {
    for (const auto& entry : entries_in_name_order(folder)) {
        std::error_code error;
        if (entry.is_directory(error)) {
            if (recursive && !entry.is_symlink(error)) add_folder(entry.path(), recursive, pictures);
        } else if (is_jpeg_name(entry.path()) && entry.is_regular_file(error)) {
            pictures.push_back(entry.path());
        }
    }
}

}  // namespace

std::filesystem::path full_path(const std::filesystem::path& path) {
    return std::filesystem::absolute(path).lexically_normal();
}

std::vector<std::filesystem::path> pictures_named(const std::vector<std::filesystem::path>& arguments,
                                                  bool recursive) {
    std::vector<std::filesystem::path> pictures;
    for (const auto& argument : arguments) {
        const std::filesystem::path path = full_path(argument);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            add_folder(path, recursive, pictures);
        } else {
            pictures.push_back(path);
        }
    }
    return pictures;
}

}  // namespace velmora
