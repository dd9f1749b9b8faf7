// The window as a console shows it: the status and every running number as lines on standard output,
// the boxes printed, errors on standard error, and an interrupt (Ctrl-C) closing the "window" at the next
// pump. On a terminal a progress line on standard error stands for the running numbers.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/system_batch_window.hpp"
#include "options.hpp"

namespace velmora {

// A box's lines are separated by carriage returns; a console wants line feeds.
std::string console_lines(std::string text);

enum class ConsoleOutput {
    kLines,     // every status and running number as a line on standard output
    kProgress,  // the same, but a live progress line on standard error for the numbers on a terminal
    kQuiet,     // errors only
};

class ConsoleBatchWindow final : public SystemBatchWindow {
  public:
    ConsoleBatchWindow(Options options, ConsoleOutput output, bool numbers_to_terminal);

    bool error_shown() const { return error_shown_; }
    // Erases the progress line, before an error is printed and at the end.
    void clear_progress();

    std::string width_text() override { return options_.width; }
    std::vector<std::filesystem::path> selection() override;
    std::string logo_path_text() override;
    int logo_position_index() override { return options_.position; }
    std::string inset_horizontal_text() override { return options_.inset_horizontal; }
    std::string inset_vertical_text() override { return options_.inset_vertical; }
    int quality() override { return options_.quality; }

    void set_processed_text(const std::string& text) override;
    void set_status(const std::string& text, Color color) override;
    void set_run_button_enabled(bool) override {}
    void set_run_button_caption(const std::string&) override {}
    void show_error_box(const std::string& text) override;
    void show_information_box(const std::string& text) override;
    void pump_messages() override;

    std::filesystem::path program_folder() override;
    std::filesystem::path pictures_folder() override;

  private:
    void print_line(const std::string& text);
    void show_progress();

    Options options_;
    ConsoleOutput output_;
    bool numbers_to_terminal_;  // standard output is the terminal the progress line is on
    bool error_shown_ = false;
    bool progress_shown_ = false;
    std::size_t total_ = 0;
    std::size_t numbers_shown_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point drawn_;  // when the progress line was last drawn
};

}  // namespace velmora
