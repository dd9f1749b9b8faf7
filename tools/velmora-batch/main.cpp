// velmora-batch: the batch run without a window, for scripted runs, large collections and benchmarks.
// `velmora-batch --help` (options.cpp) says what it takes, prints and answers.
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "base/error.hpp"
#include "base/page_advice.hpp"
#include "batch/batch_run.hpp"
#include "batch/photo_pipeline.hpp"
#include "console.hpp"
#include "console_window.hpp"
#include "options.hpp"

namespace velmora {
namespace {

// The message as the top-level error report shows it: a full stop is added after a last character whose
// code is above 46 ('.').
std::string reported_message(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > 46) message += '.';
    return console_lines(message);
}

ConsoleOutput console_output(const Options& options) {
    if (options.quiet) return ConsoleOutput::kQuiet;
    return standard_error_is_terminal() ? ConsoleOutput::kProgress : ConsoleOutput::kLines;
}

int run_batch(Options options) {
    const RunOptions run_options{.jobs = options.jobs > 0 ? options.jobs : usable_cores(),
                                 .first_number = options.start_number,
                                 .folder_name = options.folder_name};
    const ConsoleOutput output = console_output(options);
    ConsoleBatchWindow window(std::move(options), output, standard_output_is_terminal());
    try {
        Button_start_photo_processingClick(window, make_photo_pipeline, run_options);
        window.clear_progress();
    } catch (const Abort&) {
        window.clear_progress();
        std::cerr << "interrupted\n";
        return kExitInterrupted;
    } catch (const Error& error) {
        window.clear_progress();
        std::cerr << reported_message(error.what()) << std::endl;
        return kExitFailed;
    } catch (const std::bad_alloc&) {
        window.clear_progress();
        std::cerr << "Out of memory.\n";
        return kExitFailed;
    } catch (const std::exception& error) {
        window.clear_progress();
        std::cerr << reported_message(error.what()) << std::endl;
        return kExitFailed;
    }
    return window.error_shown() ? kExitFailed : kExitCompleted;
}

int run(const std::vector<std::string>& arguments) {
    CommandLine line;
    try {
        line = parse_command_line(arguments);
    } catch (const UsageError& error) {
        std::cerr << "velmora-batch: " << error.what() << "\n"
                  << usage_synopsis() << "Try 'velmora-batch --help' for more.\n";
        return kExitUsage;
    }
    switch (line.request) {
        case Request::kHelp:
            std::cout << usage_text(usable_cores()) << std::flush;
            return kExitCompleted;
        case Request::kVersion:
            std::cout << "velmora-batch " VELMORA_VERSION "\n" << std::flush;
            return kExitCompleted;
        case Request::kRun:
            break;
    }
    return run_batch(std::move(line.options));
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    velmora::set_up_console();
    velmora::keep_freed_blocks();
    return velmora::run(velmora::utf8_arguments(argc, argv));
}
