#include <unistd.h>

#include <fstream>

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include "support/window_test.hpp"

namespace velmora::test {
namespace {

const char* const kNineControls[] = {"label_logo_padding_horizontal_1",
                                     "logo_padding_horizontal",
                                     "label_logo_padding_horizontal_2",
                                     "label_logo_padding_vertical_1",
                                     "logo_padding_vertical",
                                     "label_logo_padding_vertical_2",
                                     "Label_logo_src",
                                     "edit_logo_src",
                                     "Button_logo_src"};

TEST_F(WindowTest, StoredValuesReachTheControlsAtStart) {
    store_settings(
        "\"photo_width\"=\"1234567\"\r\n\"delete_exif\"=\"y\"\r\n\"photo_quality\"=\"33\"\r\n"
        "\"logo_position\"=\"Bottom right\"\r\n\"logo_padding_horizontal\"=\"12\"\r\n"
        "\"logo_padding_vertical\"=\"34\"\r\n\"logo_file_src\"=\"/home/ана/my logo.png\"\r\n");
    ModalAnswerer answerer;
    restart_program();
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_EQ(control<QLineEdit>("picture_width").text(), "1234567");  // beyond what may be typed
    EXPECT_TRUE(main_window().delete_exif_checked());
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 33%");
    EXPECT_EQ(main_window().logo_position_index(), 5);
    EXPECT_EQ(control<QComboBox>("ComboBox_logo_position").currentText(), "Bottom right");
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Bottom inset:");
    for (const char* name : kNineControls) EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(main_window().inset_horizontal_text(), "12");
    EXPECT_EQ(main_window().inset_vertical_text(), "34");
    EXPECT_EQ(main_window().logo_path_text(), "/home/ана/my logo.png");

    // A key without values gives the defaults, with "Not to put" selected.
    store_settings("");
    restart_program();
    EXPECT_EQ(main_window().width_text(), "800");
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 75%");
    EXPECT_EQ(main_window().logo_position_index(), 0);
    for (const char* name : kNineControls) EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(WindowTest, SaveSettingsKeepsTheControlsForTheNextStart) {
    auto& width = control<QLineEdit>("picture_width");
    width.setFocus();
    width.selectAll();
    QTest::keyClicks(&width, "640");
    control<QSlider>("picture_quality").setFocus();
    QTest::keyClick(&control<QSlider>("picture_quality"), Qt::Key_End);
    click("Button3");
    EXPECT_EQ(caption("Label_program_status"), "changes have been saved");
    EXPECT_EQ(control<QLabel>("Label_program_status").palette().color(QPalette::WindowText),
              QColor(0, 146, 10));
    main_window().set_status("logo is selected", kStatusGreen);
    click("Button3");
    EXPECT_EQ(caption("Label_program_status"), "changes have been saved");

    restart_program();
    EXPECT_EQ(main_window().width_text(), "640");
    EXPECT_EQ(main_window().quality(), 100);
    // Nothing was selected in the position box, so it was stored empty and loads as "Not to put".
    EXPECT_EQ(main_window().logo_position_index(), 0);
    EXPECT_EQ(caption("Label_program_status"), "empty");
}

TEST_F(WindowTest, FailedSaveShowsTheVelmoraBoxAndLeavesTheStatus) {
    // The hive's folder cannot be written: read-only, or for a user whom permissions do not stop
    // (root), a file standing where the folder should be.
    const std::filesystem::path folder = config_folder() / "velmora";
    if (::geteuid() == 0) {
        std::ofstream(folder) << "not a folder";
    } else {
        std::filesystem::create_directories(folder);
        std::filesystem::permissions(folder,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    ModalAnswerer answerer;
    click("Button3");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].title, "Velmora");
    EXPECT_EQ(answerer.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.boxes()[0].text, "Failed to set data for 'photo_width'");
    EXPECT_EQ(caption("Label_program_status"), "empty");
    EXPECT_TRUE(main_window().isVisible());
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

TEST_F(WindowTest, WrongTypeStoredValueShowsOneBoxAndTheWindowStillShows) {
    store_settings(
        "\"photo_width\"=\"1024\"\r\n\"photo_quality\"=dword:00000050\r\n\"logo_position\"=\"Top left\"\r\n");
    ModalAnswerer answerer;
    restart_program();
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].title, "Velmora");
    EXPECT_EQ(answerer.boxes()[0].text, "Invalid data type for 'photo_quality'");
    EXPECT_TRUE(main_window().isVisible());
    EXPECT_EQ(main_window().width_text(), "1024");
    EXPECT_EQ(main_window().logo_position_index(), -1);  // loading stopped before it
    EXPECT_EQ(caption("label_image_quality").toStdString(), "Image quality: 50%");  // not the design text
    EXPECT_EQ(control<QLabel>("image_top_logotype").pixmap().size(), QSize(48, 42));
}

}  // namespace
}  // namespace velmora::test
