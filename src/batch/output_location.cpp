#include "batch/output_location.hpp"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "base/file_io.hpp"

namespace velmora {

namespace {

std::string local_time_text(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

}  // namespace

std::string local_short_date_text() {
    return local_time_text("%x");
}

std::string local_long_time_text() {
    return local_time_text("%X");
}

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
