// What the settings store moves values between: the adjustable controls of the main window.
// Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class SettingsWindow {
  public:
    virtual ~SettingsWindow() = default;

    virtual std::string width_text() = 0;  // picture_width
    virtual void set_width_text(const std::string& text) = 0;

    virtual bool delete_exif_checked() = 0;  // CheckBox_delete_exif (hidden)
    virtual void set_delete_exif_checked(bool checked) = 0;

    // The track bar: setting clamps to 1..100 and runs picture_qualityChange only when the position changes.
    virtual int quality_position() = 0;
    virtual void set_quality_position(int position) = 0;

    // The position box: its item texts in order, the selected index (-1 for none), and selecting an item
    // by index without running the box's change handler.
    virtual std::vector<std::string> logo_position_items() = 0;
    virtual int logo_position_index() = 0;
    virtual void select_logo_position(int index) = 0;

    virtual std::string inset_horizontal_text() = 0;  // logo_padding_horizontal
    virtual void set_inset_horizontal_text(const std::string& text) = 0;
    virtual std::string inset_vertical_text() = 0;  // logo_padding_vertical
    virtual void set_inset_vertical_text(const std::string& text) = 0;

    virtual std::string logo_path_text() = 0;  // edit_logo_src
    virtual void set_logo_path_text(const std::string& text) = 0;

    // Enables, disables and relabels the inset and logo-file controls for the selected position.
    virtual void update_status_elements_for_label_padding() = 0;
};

}  // namespace velmora
