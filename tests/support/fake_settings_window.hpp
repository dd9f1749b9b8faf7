// A main window reduced to the state the settings store moves, at its design values, recording the
// track bar's change notifications and the refreshes of the inset controls.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "settings/settings_window.hpp"

namespace velmora::test {

class FakeSettingsWindow : public SettingsWindow {
  public:
    std::string width = "0";
    bool delete_exif = false;
    int quality = 50;
    int position = -1;
    std::string inset_horizontal = "0";
    std::string inset_vertical = "0";
    std::string logo_path;
    int quality_changes = 0;
    int refreshes = 0;

    std::string width_text() override { return width; }
    void set_width_text(const std::string& text) override { width = text; }
    bool delete_exif_checked() override { return delete_exif; }
    void set_delete_exif_checked(bool checked) override { delete_exif = checked; }
    int quality_position() override { return quality; }
    void set_quality_position(int requested) override {
        const int clamped = std::clamp(requested, 1, 100);
        if (clamped != quality) ++quality_changes;
        quality = clamped;
    }
    std::vector<std::string> logo_position_items() override {
        return {"Not to put", "Center of the Image", "Top left", "Top right", "Bottom left", "Bottom right"};
    }
    int logo_position_index() override { return position; }
    void select_logo_position(int index) override { position = index; }
    std::string inset_horizontal_text() override { return inset_horizontal; }
    void set_inset_horizontal_text(const std::string& text) override { inset_horizontal = text; }
    std::string inset_vertical_text() override { return inset_vertical; }
    void set_inset_vertical_text(const std::string& text) override { inset_vertical = text; }
    std::string logo_path_text() override { return logo_path; }
    void set_logo_path_text(const std::string& text) override { logo_path = text; }
    void update_status_elements_for_label_padding() override { ++refreshes; }
};

}  // namespace velmora::test
