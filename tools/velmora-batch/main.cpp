// velmora-batch: the batch run without a window, for scripted runs and benchmarks.
//
//   velmora-batch --width TEXT --quality N [--logo FILE --position N --inset-h TEXT --inset-v TEXT]
//                 [--into DIR] FILE...
//
// The options stand for the window's controls and are taken as those would hold them: the width and the
// insets as texts (a text that is no whole number counts as the window counts it), the position as the
// item index of the position box (0 "Not to put", 1 "Center of the Image", 2 "Top left", 3 "Top right",
// 4 "Bottom left", 5 "Bottom right"). The output folder is made in DIR; without --into, in the folder of
// this executable when the user may write there, else in Velmora inside the user's pictures folder. Status
// texts and running numbers go to stdout as they change, as does the information box's text; error texts go
// to stderr. The exit status is 0 after a completed run, 1 after an error, 2 for a command line that cannot
// be used, 130 when interrupted (the pictures written so far stay).
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "base/local_time_text.hpp"
#include "base/program_folder.hpp"
#include "base/user_folders.hpp"
#include "base/whole_number.hpp"
#include "batch/batch_window.hpp"
#include "batch/photo_pipeline.hpp"
#include "console.hpp"

namespace velmora {
namespace {

constexpr std::string_view kUsage =
    "usage: velmora-batch --width TEXT --quality N [--logo FILE --position N --inset-h TEXT --inset-v TEXT]\n"
    "                     [--into DIR] FILE...\n";

struct Options {
    std::string width;
    int quality = 0;
    std::string logo;
    int position = 0;
    std::string inset_horizontal = "0";
    std::string inset_vertical = "0";
    std::optional<std::filesystem::path> into;
    std::vector<std::filesystem::path> files;
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

int whole_number_option(std::string_view name, std::string_view text, int low, int high) {
    constexpr std::int32_t kNotANumber = INT32_MIN;
    const std::int32_t value = whole_number_from_text(text, kNotANumber);
    if (value == kNotANumber || value < low || value > high)
        throw UsageError(std::string(name) + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + std::string(text) + "\"");
    return value;
}

Options parse_options(const std::vector<std::string>& arguments) {
    Options options;
    bool have_width = false;
    bool have_quality = false;
    const std::size_t count = arguments.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view arg = arguments[i];
        if (arg == "--") {
            for (++i; i < count; ++i) options.files.push_back(path_from_utf8(arguments[i]));
            break;
        }
        if (!arg.starts_with("--")) {
            options.files.push_back(path_from_utf8(arg));
            continue;
        }
        if (i + 1 >= count) throw UsageError(std::string(arg) + " needs a value");
        const std::string_view value = arguments[++i];
        if (arg == "--width") {
            options.width = value;
            have_width = true;
        } else if (arg == "--quality") {
            options.quality = whole_number_option(arg, value, 1, 100);
            have_quality = true;
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
        } else {
            throw UsageError("unknown option " + std::string(arg));
        }
    }
    if (!have_width) throw UsageError("--width is missing");
    if (!have_quality) throw UsageError("--quality is missing");
    return options;
}

// A box's lines are separated by carriage returns; a console wants line feeds.
std::string console_lines(std::string text) {
    for (char& c : text)
        if (c == '\r') c = '\n';
    return text;
}

// The window as a console shows it: every change of the status or the running number is a line on
// stdout, boxes are printed, and an interrupt (Ctrl-C) closes the "window" at the next pump.
class ConsoleBatchWindow final : public BatchWindow {
  public:
    explicit ConsoleBatchWindow(Options options) : options_(std::move(options)) {}

    bool error_shown() const { return error_shown_; }

    std::string width_text() override { return options_.width; }
    std::vector<std::filesystem::path> selection() override {
        std::vector<std::filesystem::path> full_paths;
        for (const auto& file : options_.files) full_paths.push_back(std::filesystem::absolute(file));
        return full_paths;
    }
    std::string logo_path_text() override { return options_.logo; }
    int logo_position_index() override { return options_.position; }
    std::string inset_horizontal_text() override { return options_.inset_horizontal; }
    std::string inset_vertical_text() override { return options_.inset_vertical; }
    int quality() override { return options_.quality; }

    void set_processed_text(const std::string& text) override {
        std::cout << "picture " << text << std::endl;
    }
    void set_status(const std::string& text, Color) override { std::cout << text << std::endl; }
    void set_run_button_enabled(bool) override {}
    void set_run_button_caption(const std::string&) override {}
    void show_error_box(const std::string& text) override {
        std::cerr << console_lines(text) << std::endl;
        error_shown_ = true;
    }
    void show_information_box(const std::string& text) override {
        std::cout << console_lines(text) << std::endl;
    }
    void pump_messages() override {
        if (interrupt_requested()) throw Abort();
    }

    std::filesystem::path program_folder() override {
        return options_.into ? std::filesystem::absolute(*options_.into) : velmora::program_folder();
    }
    // A folder given with --into is where the output goes, or the run fails there.
    std::filesystem::path pictures_folder() override {
        return options_.into ? std::filesystem::path() : user_pictures_folder();
    }
    std::string short_date_text() override { return local_short_date_text(); }
    std::string long_time_text() override { return local_long_time_text(); }

  private:
    Options options_;
    bool error_shown_ = false;
};

// The message as the top-level error report shows it: a full stop is added after a last character whose
// code is above 46 ('.').
std::string reported_message(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > 46) message += '.';
    return console_lines(message);
}

int run(const std::vector<std::string>& arguments) {
    Options options;
    try {
        options = parse_options(arguments);
    } catch (const UsageError& error) {
        std::cerr << "velmora-batch: " << error.what() << "\n" << kUsage;
        return 2;
    }
    ConsoleBatchWindow window(std::move(options));
    try {
        Button_start_photo_processingClick(window);
    } catch (const Abort&) {
        std::cerr << "interrupted\n";
        return 130;
    } catch (const Error& error) {
        std::cerr << reported_message(error.what()) << std::endl;
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "Out of memory.\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << reported_message(error.what()) << std::endl;
        return 1;
    }
    return window.error_shown() ? 1 : 0;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    velmora::set_up_console();
    return velmora::run(velmora::utf8_arguments(argc, argv));
}
