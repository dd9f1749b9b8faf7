// Where a run writes: one folder beside the program named from the local date and time, holding 1.jpg,
// 2.jpg, ... by running number.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// The short date text, one space, the long time text, with every ':' replaced by '-'. '/' and '\' are
// replaced too, so that a date such as 12/08/26 still names one folder and not a path of several.
std::string output_folder_name(std::string_view date_text, std::string_view time_text);

// The folder named `name` inside the program's folder.
std::filesystem::path output_folder_path(const std::filesystem::path& program_folder, std::string_view name);

// Creates the folder with any missing parents when it does not exist yet. An existing folder is reused.
// A failure is not reported here: it shows up as the failure to create the first output file, which
// carries the full path and the system's reason.
void create_output_folder(const std::filesystem::path& folder);

// The folder, the platform's separator, the running number in decimal without leading zeros, ".jpg".
std::filesystem::path output_file_path(const std::filesystem::path& folder, int running_number);

}  // namespace velmora
