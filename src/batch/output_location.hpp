// How a run's output is named: one folder named from the local date and time, holding 1.jpg, 2.jpg, ...
// by running number. Where that folder goes is output_place.hpp's.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

// The short date text, one space, the long time text, with every ':' replaced by '-'. '/' and '\' are
// replaced too, so that a date such as 12/08/26 still names one folder and not a path of several.
std::string output_folder_name(std::string_view date_text, std::string_view time_text);

// The folder named `name` inside `parent`.
std::filesystem::path output_folder_path(const std::filesystem::path& parent, std::string_view name);

// Creates the folder with any missing parents when it does not exist yet. An existing folder is reused.
// Answers why the folder could not be made, empty when it exists now. The run does not stop for it: the
// failure shows up as the failure to create the first output file in it.
std::error_code create_output_folder(const std::filesystem::path& folder);

// The folder, the platform's separator, the running number in decimal without leading zeros, ".jpg".
std::filesystem::path output_file_path(const std::filesystem::path& folder, int running_number);

}  // namespace velmora
