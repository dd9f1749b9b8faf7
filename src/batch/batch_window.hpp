// Everything a batch run reads from and writes to its window. The run reads each value at the moment it
// needs it (the width and the selection once at the start, the logo path once before the first picture,
// the position, insets and quality for every picture), so a window that changes them between pictures
// changes the pictures that follow. Texts are UTF-8; "\r" inside a box text separates its lines.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/color.hpp"
#include "batch/picture_controls.hpp"

namespace velmora {

inline constexpr Color kStatusGreen{0, 146, 10};
inline constexpr Color kStatusGrey{128, 128, 128};

// The controls read for every picture and the message pump are PictureControls'.
class BatchWindow : public PictureControls {
  public:
    // What the run reads.
    virtual std::string width_text() = 0;                        // text of picture_width
    virtual std::vector<std::filesystem::path> selection() = 0;  // a copy, in the dialog's order
    virtual std::string logo_path_text() = 0;                    // text of edit_logo_src

    // What the run writes.
    virtual void set_processed_text(const std::string& text) = 0;  // label_file_processed
    virtual void set_status(const std::string& text, Color color) = 0;
    virtual void set_run_button_enabled(bool enabled) = 0;
    virtual void set_run_button_caption(const std::string& caption) = 0;
    virtual void show_error_box(const std::string& text) = 0;        // modal, "Error", one OK
    virtual void show_information_box(const std::string& text) = 0;  // modal, "Information", one OK

    // The environment, answered by the window so that tests can pin it.
    virtual std::filesystem::path program_folder() = 0;  // folder of the running executable
    virtual std::string short_date_text() = 0;           // today, in the user's short date format
    virtual std::string long_time_text() = 0;            // now, in the user's time format with seconds
    // Where the output goes when the program's folder may not be written: the user's pictures folder, or
    // an empty path when the output must stay in the program's folder whatever happens.
    virtual std::filesystem::path pictures_folder() = 0;
};

}  // namespace velmora
