// The driver's command line: its options, the usage text and the errors of a command line that cannot
// be used.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The options stand for the window's controls and are taken as those would hold them: the width and the
// insets as texts, the position as the item index of the position box.
struct Options {
    std::string width;
    int quality = 0;
    std::string logo;
    int position = 0;
    std::string inset_horizontal = "0";
    std::string inset_vertical = "0";
    std::optional<std::filesystem::path> into;
    std::string folder_name;  // empty: named from the date and time
    int start_number = 1;
    int jobs = 0;  // 0: one for each core the process may run on
    bool recursive = false;
    bool quiet = false;
    std::vector<std::filesystem::path> files;  // files and folders as given
};

// What the command line asks for: a run, or one of the texts.
enum class Request { kRun, kHelp, kVersion };

struct CommandLine {
    Request request = Request::kRun;
    Options options;
};

// A command line that cannot be used; the text says what is wrong with it.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

CommandLine parse_command_line(const std::vector<std::string>& arguments);

// The full usage: every option, what it means, and the exit statuses. `cores` is the default of --jobs.
std::string usage_text(int cores);
// The first lines of it, printed after a usage error.
std::string_view usage_synopsis();

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

}  // namespace velmora
