#include "options.hpp"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <set>

#include "base/file_io.hpp"
#include "base/whole_number.hpp"

namespace velmora {
namespace {

constexpr std::string_view kSynopsis =
    "usage: velmora-batch --width TEXT --quality N [--logo FILE --position N] [OPTION...] FILE|FOLDER...\n";

// Far below the largest running number, so that the numbers of any selection fit after it.
constexpr int kMaxStartNumber = 1'000'000'000;
constexpr int kMaxJobs = 1024;

int whole_number_option(std::string_view name, std::string_view text, int low, int high) {
    constexpr std::int32_t kNotANumber = INT32_MIN;
    const std::int32_t value = whole_number_from_text(text, kNotANumber);
    if (value == kNotANumber || value < low || value > high)
        throw UsageError(std::string(name) + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + std::string(text) + "\"");
    return value;
}

// One folder name, so that the output goes into DIR/NAME and nowhere else.
std::string folder_name_option(std::string_view text) {
    if (text.empty() || text == "." || text == ".." || text.find_first_of("/\\") != std::string_view::npos)
        throw UsageError("--folder must be the name of one folder, not \"" + std::string(text) + "\"");
    return std::string(text);
}

// Options that take no value; answers false for any other argument.
bool take_flag(std::string_view arg, CommandLine& line) {
    if (arg == "--help" || arg == "-h") {
        line.request = Request::kHelp;
    } else if (arg == "--version") {
        line.request = Request::kVersion;
    } else if (arg == "--recursive") {
        line.options.recursive = true;
    } else if (arg == "--quiet") {
        line.options.quiet = true;
    } else {
        return false;
    }
    return true;
}

constexpr std::string_view kValueOptions[] = {"--width",        "--quality", "--logo", "--position",
                                              "--inset-h",      "--inset-v", "--into", "--folder",
                                              "--start-number", "--jobs"};

constexpr std::string_view kFlags[] = {"-h", "--help", "--version", "--recursive", "--quiet"};

bool takes_value(std::string_view arg) {
    return std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) != std::end(kValueOptions);
}

bool is_option(std::string_view arg) {
    return takes_value(arg) || std::find(std::begin(kFlags), std::end(kFlags), arg) != std::end(kFlags);
}

// An option followed by its value, `arg` one of kValueOptions.
void take_value(std::string_view arg, std::string_view value, Options& options) {
    if (arg == "--width") {
        options.width = value;
    } else if (arg == "--quality") {
        options.quality = whole_number_option(arg, value, 1, 100);
    } else if (arg == "--logo") {
        options.logo = value;
    } else if (arg == "--position") {
        options.position = whole_number_option(arg, value, -1, 5);
    } else if (arg == "--inset-h") {
        options.inset_horizontal = value;
    } else if (arg == "--inset-v") {
        options.inset_vertical = value;
    } else if (arg == "--into") {
        options.into = path_from_utf8(value);
    } else if (arg == "--folder") {
        options.folder_name = folder_name_option(value);
    } else if (arg == "--start-number") {
        options.start_number = whole_number_option(arg, value, 1, kMaxStartNumber);
    } else {
        options.jobs = whole_number_option(arg, value, 1, kMaxJobs);
    }
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine line;
    Options& options = line.options;
    std::set<std::string> given;
    const std::size_t count = arguments.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view arg = arguments[i];
        if (arg == "--") {
            for (++i; i < count; ++i) options.files.push_back(path_from_utf8(arguments[i]));
            break;
        }
        if (!arg.starts_with("-") || arg == "-") {
            options.files.push_back(path_from_utf8(arg));
            continue;
        }
        if (take_flag(arg, line)) continue;
        if (!takes_value(arg)) throw UsageError("unknown option " + std::string(arg));
        // The next argument is this option's value unless it is another option.
        if (i + 1 >= count || is_option(arguments[i + 1]))
            throw UsageError(std::string(arg) + " needs a value");
        take_value(arg, arguments[++i], options);
        given.insert(std::string(arg));
    }
    if (line.request != Request::kRun) return line;
    if (!given.contains("--width")) throw UsageError("--width is missing");
    if (!given.contains("--quality")) throw UsageError("--quality is missing");
    if (!options.logo.empty() && options.position <= 0)
        throw UsageError("--logo needs --position 1 to 5: without a position no logo is drawn");
    return line;
}

std::string_view usage_synopsis() {
    return kSynopsis;
}

std::string usage_text(int cores) {
    return std::string(kSynopsis) +
           "\n"
           "Writes a re-encoded copy of every JPEG file given into a new folder, numbered 1.jpg, 2.jpg, ...\n"
           "in the order given. Pictures wider than the width are scaled down to it (Lanczos-3), keeping\n"
           "their aspect ratio; the others keep their size. A FOLDER stands for the .jpg and .jpeg files in\n"
           "it (any case), in name order.\n"
           "\n"
           "  --width TEXT        width in pixels of the pictures written, a whole number above 0\n"
           "  --quality N         JPEG quality, 1 to 100\n"
           "  --logo FILE         PNG logo drawn on every picture with its own transparency; needs\n"
           "                      --position\n"
           "  --position N        where the logo goes: 1 center of the image, 2 top left, 3 top right,\n"
           "                      4 bottom left, 5 bottom right (0 and -1: no logo)\n"
           "  --inset-h TEXT      the logo's distance from the left or right edge in pixels (default 0)\n"
           "  --inset-v TEXT      the logo's distance from the top or bottom edge in pixels (default 0)\n"
           "  --into DIR          make the output folder in DIR (default: beside this program when you may\n"
           "                      write there, else in Velmora in your pictures folder)\n"
           "  --folder NAME       name the output folder NAME instead of the date and time\n"
           "  --start-number N    number of the first picture written (default 1)\n"
           "  --jobs N            pictures worked on at once (default: the cores this process may use, " +
           std::to_string(cores) +
           ")\n"
           "  --recursive         a FOLDER stands for the JPEG files of its subfolders too, depth first in\n"
           "                      name order\n"
           "  --quiet             print nothing but errors\n"
           "  -h, --help          print this text and exit\n"
           "  --version           print the program's name and version and exit\n"
           "  --                  the arguments that follow are files, even those that begin with -\n"
           "\n"
           "The status and every picture's number go to standard output as they change (on a terminal, a\n"
           "progress line on standard error instead of the numbers), then the output folder; errors go to\n"
           "standard error. Whatever --jobs is, the files written are those of one picture at a time.\n"
           "\n"
           "Exit status:\n"
           "  0    every picture was written\n"
           "  1    a picture, the logo or a folder failed: its message is on standard error; the pictures\n"
           "       before it are written, none after it\n"
           "  2    the command line cannot be used\n"
           "  130  interrupted (Ctrl-C, SIGTERM): the pictures written so far stay, each complete\n";
}

}  // namespace velmora
