#include "console_window.hpp"

#include <cstdio>
#include <iostream>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "console.hpp"
#include "selection.hpp"

namespace velmora {
namespace {

// 0:07, 12:34, 1:02:03.
std::string duration_text(std::chrono::seconds duration) {
    const long long total = duration.count();
    char text[32];
    if (total >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    }
    return text;
}

}  // namespace

std::string console_lines(std::string text) {
    for (char& c : text)
        if (c == '\r') c = '\n';
    return text;
}

ConsoleBatchWindow::ConsoleBatchWindow(Options options, ConsoleOutput output, bool numbers_to_terminal)
    : options_(std::move(options)),
      output_(output),
      numbers_to_terminal_(numbers_to_terminal),
      start_(std::chrono::steady_clock::now()) {}

std::vector<std::filesystem::path> ConsoleBatchWindow::selection() {
    std::vector<std::filesystem::path> pictures = pictures_named(options_.files, options_.recursive);
    total_ = pictures.size();
    start_ = std::chrono::steady_clock::now();
    return pictures;
}

std::string ConsoleBatchWindow::logo_path_text() {
    return options_.logo.empty() ? std::string() : path_to_utf8(full_path(path_from_utf8(options_.logo)));
}

void ConsoleBatchWindow::print_line(const std::string& text) {
    if (output_ == ConsoleOutput::kQuiet) return;
    if (numbers_to_terminal_) clear_progress();
    // Once standard output is closed the stream fails, and the lines are dropped.
    std::cout << text << std::endl;
}

void ConsoleBatchWindow::set_processed_text(const std::string& text) {
    ++numbers_shown_;
    if (output_ == ConsoleOutput::kProgress) {
        show_progress();
        if (numbers_to_terminal_) return;
    }
    print_line("picture " + text);
}

// "3/20 pictures, 0:07, about 0:40 left": the pictures written of the total, the time since the run
// began and what the pictures written so far say of the rest.
void ConsoleBatchWindow::show_progress() {
    const std::size_t done = numbers_shown_ - 1;
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start_);
    std::string line =
        std::to_string(done) + "/" + std::to_string(total_) + " pictures, " + duration_text(elapsed);
    if (done > 0) {
        const auto left = elapsed * static_cast<long long>(total_ - done) / static_cast<long long>(done);
        line += ", about " + duration_text(left) + " left";
    }
    std::cerr << "\r\x1b[K" << line << std::flush;
    progress_shown_ = true;
    drawn_ = std::chrono::steady_clock::now();
}

void ConsoleBatchWindow::clear_progress() {
    if (!progress_shown_) return;
    std::cerr << "\r\x1b[K" << std::flush;
    progress_shown_ = false;
}

void ConsoleBatchWindow::set_status(const std::string& text, Color) {
    print_line(text);
}

void ConsoleBatchWindow::show_error_box(const std::string& text) {
    clear_progress();
    std::cerr << console_lines(text) << std::endl;
    error_shown_ = true;
}

void ConsoleBatchWindow::show_information_box(const std::string& text) {
    print_line(console_lines(text));
}

void ConsoleBatchWindow::pump_messages() {
    if (interrupt_requested()) throw Abort();
    // The elapsed time keeps moving while a long picture is worked on.
    if (progress_shown_ && std::chrono::steady_clock::now() - drawn_ >= std::chrono::seconds(1))
        show_progress();
}

std::filesystem::path ConsoleBatchWindow::program_folder() {
    return options_.into ? full_path(*options_.into) : SystemBatchWindow::program_folder();
}

// A folder given with --into is where the output goes, or the run fails there.
std::filesystem::path ConsoleBatchWindow::pictures_folder() {
    return options_.into ? std::filesystem::path() : SystemBatchWindow::pictures_folder();
}

}  // namespace velmora
