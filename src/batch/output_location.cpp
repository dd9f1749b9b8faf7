#include "batch/output_location.hpp"

#include <algorithm>
#include <system_error>

#include "base/file_io.hpp"

namespace velmora {

std::string output_folder_name(std::string_view date_text, std::string_view time_text) {
    std::string name;
    name.reserve(date_text.size() + 1 + time_text.size());
    name.append(date_text).append(" ").append(time_text);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == ':' || c == '/' || c == '\\'; }, '-');
    return name;
}

std::filesystem::path output_folder_path(const std::filesystem::path& parent, std::string_view name) {
    return parent / path_from_utf8(name);
}

std::error_code create_output_folder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return {};
    std::filesystem::create_directories(folder, error);
    return error;
}

std::filesystem::path output_file_path(const std::filesystem::path& folder, int running_number) {
    return folder / (std::to_string(running_number) + ".jpg");
}

}  // namespace velmora
