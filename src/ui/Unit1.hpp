// The main window: every control the batch reads and writes, the counters and the status line. It
// implements the batch's and the settings store's ports with its controls and holds no batch or
// settings logic of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <QWidget>

#include "batch/system_batch_window.hpp"
#include "settings/settings_window.hpp"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace velmora {

class DigitEdit;
class TForm2;

class TForm1 : public QWidget, public SystemBatchWindow, public SettingsWindow {
  public:
    static constexpr int kClientWidth = 393;
    static constexpr int kClientHeight = 498;
    static constexpr int kHintHidePause = 10000;  // milliseconds a hint stays visible

    explicit TForm1(QWidget* parent = nullptr);

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
    void closeEvent(QCloseEvent* event) override;

  private:
    void create_header_band();
    void create_report_group();
    void create_width_and_quality();
    void create_logo_group();
    void create_buttons();
    void create_dialogs();
    void connect_handlers();
    void set_tab_order();
    void position_text_typed();

    // Header band.
    QFrame* Shape_for_logotype = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* image_top_logotype = nullptr;
    // Report.
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label_program_status = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* label_file_count = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* label_file_processed = nullptr;
    // Width and quality.
    QLabel* label_picture_width = nullptr;
    DigitEdit* picture_width = nullptr;
    QLabel* Label13 = nullptr;
    QCheckBox* CheckBox_delete_exif = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* label_image_quality = nullptr;
    QSlider* picture_quality = nullptr;
    // Logo.
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* ComboBox_logo_position = nullptr;
    QLabel* label_logo_padding_horizontal_1 = nullptr;
    DigitEdit* logo_padding_horizontal = nullptr;
    QLabel* label_logo_padding_horizontal_2 = nullptr;
    QLabel* label_logo_padding_vertical_1 = nullptr;
    DigitEdit* logo_padding_vertical = nullptr;
    QLabel* label_logo_padding_vertical_2 = nullptr;
    QLabel* Label_logo_src = nullptr;
    QLineEdit* edit_logo_src = nullptr;
    QPushButton* Button_logo_src = nullptr;
    // Buttons.
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button_start_photo_processing = nullptr;
    QPushButton* Button5 = nullptr;
    // Dialogs, kept so that they remember the last folder and file name.
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* OpenPictureDialog_logo = nullptr;

    std::vector<std::filesystem::path> selection_;  // the files chosen last, the batch's input
    TForm2* about_window_ = nullptr;
    bool closed_ = false;  // set when the window is closed; a run under way ends at its next pump
};

}  // namespace velmora
