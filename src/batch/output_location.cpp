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

std::filesystem::path output_folder_path(const std::filesystem::path& program_folder, std::string_view name) {
    return program_folder / path_from_utf8(name);
}

void create_output_folder(const std::filesystem::path& folder) {
    std::error_code ignored;
    if (!std::filesystem::exists(folder, ignored)) std::filesystem::create_directories(folder, ignored);
}

std::filesystem::path output_file_path(const std::filesystem::path& folder, int running_number) {
    return folder / (std::to_string(running_number) + ".jpg");
}

}  // namespace velmora
