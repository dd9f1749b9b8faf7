// What the tests need of the platform they run on: command lines (the library's tools, the driver),
// program names, and the system's own reasons that the file helpers' messages carry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velmora::test {

// The separator that joins a folder and a name: '\\' on Windows, '/' elsewhere.
inline const std::string kSeparator(1, static_cast<char>(std::filesystem::path::preferred_separator));

// Runs `command` (UTF-8) through the system's command interpreter; answers its exit status, or -1
// when it did not exit normally.
int run_command(const std::string& command);

// `path` as one argument of such a command line.
std::string shell_quoted(const std::filesystem::path& path);

// The file of program `name` ("cjpeg"), looked for along PATH.
std::optional<std::filesystem::path> find_program(const std::string& name);

// The system's reason for a file that does not exist, and for a file in a folder that does not.
std::string missing_file_reason();
std::string missing_folder_reason();

}  // namespace velmora::test
