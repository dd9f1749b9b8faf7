// The main window as a native Win32 window: every control the batch reads and writes, the counters and
// the status line. It implements the batch's and the settings store's ports with its controls and holds
// no batch or settings logic of its own.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "batch/system_batch_window.hpp"
#include "settings/settings_window.hpp"
#include "win32/file_dialogs.hpp"
#include "win32/hints.hpp"
#include "win32/native_window.hpp"

namespace velmora {

class TForm2;

class TForm1 : public NativeWindow, public SystemBatchWindow, public SettingsWindow {
  public:
    static constexpr int kClientWidth = 393;
    static constexpr int kClientHeight = 498;
    static constexpr int kHintHidePause = 10000;  // milliseconds a hint stays visible

    // Makes the window with its controls at their design values, hidden, centred in the work area.
    TForm1();
    ~TForm1() override;

    // The creation handler: hint time, hints, header picture, stored settings, quality label.
    void FormCreate();
    // The About window that "About Velmora" shows; created after this window.
    void set_about_window(TForm2* about) { about_window_ = about; }

    void Button1Click();
    void Button_start_photo_processingClick();
    void Button3Click();
    void Button_logo_srcClick();
    void Button5Click();
    void ComboBox_logo_positionChange();
    void picture_qualityChange();
    void update_status_elements_for_label_padding() override;

    // The control of that design name (Button1, picture_width, ...), or null: for the tests and the
    // screenshot tool, which drive the window by its controls' messages.
    HWND control(std::string_view name) const;

    // What the batch and the settings store read.
    std::string width_text() override;
    std::vector<std::filesystem::path> selection() override;
    std::string logo_path_text() override;
    int logo_position_index() override;
    std::string inset_horizontal_text() override;
    std::string inset_vertical_text() override;
    int quality() override;

    // What the batch writes.
    void set_processed_text(const std::string& text) override;
    void set_status(const std::string& text, Color color) override;
    void set_run_button_enabled(bool enabled) override;
    void set_run_button_caption(const std::string& caption) override;
    void show_error_box(const std::string& text) override;
    void show_information_box(const std::string& text) override;
    void pump_messages() override;

    // What the settings store writes.
    void set_width_text(const std::string& text) override;
    bool delete_exif_checked() override;
    void set_delete_exif_checked(bool checked) override;
    int quality_position() override;
    void set_quality_position(int position) override;
    std::vector<std::string> logo_position_items() override;
    void select_logo_position(int index) override;
    void set_inset_horizontal_text(const std::string& text) override;
    void set_inset_vertical_text(const std::string& text) override;
    void set_logo_path_text(const std::string& text) override;

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    static constexpr int kVerticalInsetLabelWidth = 48;

    struct BitmapDeleter {
        void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
    };

    void create_header_band();
    void create_report_group();
    void create_width_and_quality();
    void create_logo_group();
    void create_buttons();
    void stack_controls();
    HWND named(const char* name, HWND control);
    void command(HWND control, WORD notification);
    LRESULT control_colour(HDC context, HWND control);
    void position_text_typed();

    // Header band.
    HWND Shape_for_logotype = nullptr;
    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND image_top_logotype = nullptr;
    // Report.
    HWND GroupBox1 = nullptr;
    HWND Label7 = nullptr;
    HWND Label_program_status = nullptr;
    HWND Label3 = nullptr;
    HWND label_file_count = nullptr;
    HWND Label4 = nullptr;
    HWND label_file_processed = nullptr;
    // Width and quality.
    HWND label_picture_width = nullptr;
    HWND picture_width = nullptr;
    HWND Label13 = nullptr;
    HWND CheckBox_delete_exif = nullptr;
    HWND Label6 = nullptr;
    HWND label_image_quality = nullptr;
    HWND picture_quality = nullptr;
    // Logo.
    HWND GroupBox2 = nullptr;
    HWND ComboBox_logo_position = nullptr;
    HWND label_logo_padding_horizontal_1 = nullptr;
    HWND logo_padding_horizontal = nullptr;
    HWND label_logo_padding_horizontal_2 = nullptr;
    HWND label_logo_padding_vertical_1 = nullptr;
    HWND logo_padding_vertical = nullptr;
    HWND label_logo_padding_vertical_2 = nullptr;
    HWND Label_logo_src = nullptr;
    HWND edit_logo_src = nullptr;
    HWND Button_logo_src = nullptr;
    // Buttons.
    HWND Button1 = nullptr;
    HWND Button3 = nullptr;
    HWND Button_start_photo_processing = nullptr;
    HWND Button5 = nullptr;
    // Dialogs, kept so that they offer the last chosen file name again.
    OpenFileDialog OpenDialog1;
    OpenFileDialog OpenPictureDialog_logo;

    Hints hints_;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> header_picture_;
    std::vector<std::pair<std::string, HWND>> names_;
    std::vector<std::filesystem::path> selection_;  // the files chosen last, the batch's input
    Color status_colour_ = kStatusGrey;
    int quality_shown_ = 0;           // the position the quality label shows
    bool retyping_position_ = false;  // set while the position box's typed text is put back
    TForm2* about_window_ = nullptr;
    bool closed_ = false;  // set when the window is closed; a run under way ends at its next pump
};

}  // namespace velmora
