// A scripted window for batch runs: it answers reads from its fields, records every read and write in
// `log` in the order they happen, lets a test change its controls at a given pump, and can be closed at
// a given pump (which then raises Abort, as a closed window does).
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "batch/batch_window.hpp"

namespace velmora::test {

class FakeBatchWindow : public BatchWindow {
  public:
    // Controls and environment.
    std::string width = "800";
    std::vector<std::filesystem::path> files;
    std::string logo_path;
    int position = 0;
    std::string inset_horizontal = "0";
    std::string inset_vertical = "0";
    int quality_position = 75;
    // Places where nothing can be made, so that a run that does not care where it writes leaves nothing.
    std::filesystem::path folder = "/dev/null/program";
    std::filesystem::path pictures = "/dev/null/pictures";
    std::string date = "08.12.2026";
    std::string time = "0:15:21";

    // What the window shows.
    std::string processed_text = "0";
    std::string status = "empty";
    Color status_color = kStatusGrey;
    bool run_enabled = true;
    std::string run_caption = "Run process";
    std::vector<std::string> boxes;  // "error: ..." and "information: ..."

    std::vector<std::string> log;
    std::function<void(int pump_number)> on_pump;  // called at every pump, counted from 1
    int close_at_pump = 0;                         // 0: never closed
    int pumps = 0;

    std::string width_text() override { return read("width", width); }
    std::vector<std::filesystem::path> selection() override {
        log.push_back("read selection");
        return files;
    }
    std::string logo_path_text() override { return read("logo path", logo_path); }
    int logo_position_index() override { return read("position", position); }
    std::string inset_horizontal_text() override { return read("inset horizontal", inset_horizontal); }
    std::string inset_vertical_text() override { return read("inset vertical", inset_vertical); }
    int quality() override { return read("quality", quality_position); }

    void set_processed_text(const std::string& text) override {
        log.push_back("processed " + text);
        processed_text = text;
    }
    void set_status(const std::string& text, Color color) override {
        char rgb[32];
        std::snprintf(rgb, sizeof rgb, " (%d,%d,%d)", color.red, color.green, color.blue);
        log.push_back("status " + text + rgb);
        status = text;
        status_color = color;
    }
    void set_run_button_enabled(bool enabled) override {
        log.push_back(enabled ? "button enabled" : "button disabled");
        run_enabled = enabled;
    }
    void set_run_button_caption(const std::string& caption) override {
        log.push_back("caption " + caption);
        run_caption = caption;
    }
    void show_error_box(const std::string& text) override {
        log.push_back("error: " + text);
        boxes.push_back("error: " + text);
    }
    void show_information_box(const std::string& text) override {
        log.push_back("information: " + text);
        boxes.push_back("information: " + text);
    }
    void pump_messages() override {
        log.push_back("pump");
        ++pumps;
        if (close_at_pump != 0 && pumps >= close_at_pump) throw Abort();
        if (on_pump) on_pump(pumps);
    }

    std::filesystem::path program_folder() override {
        log.push_back("read program folder");
        return folder;
    }
    std::filesystem::path pictures_folder() override { return read("pictures folder", pictures); }
    std::string short_date_text() override { return read("date", date); }
    std::string long_time_text() override { return read("time", time); }

    // The log entries from the first one equal to `from` on (all of them when there is none).
    std::vector<std::string> log_from(const std::string& from) const {
        for (auto it = log.begin(); it != log.end(); ++it)
            if (*it == from) return {it, log.end()};
        return log;
    }

  private:
    template <typename T>
    T read(const std::string& what, const T& value) {
        log.push_back("read " + what);
        return value;
    }
};

}  // namespace velmora::test
