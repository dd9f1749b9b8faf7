#include <fstream>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "support/window_test.hpp"

namespace velmora::test {
namespace {

const char* const kInsetControls[] = {"label_logo_padding_horizontal_1", "logo_padding_horizontal",
                                      "label_logo_padding_horizontal_2", "label_logo_padding_vertical_1",
                                      "logo_padding_vertical",           "label_logo_padding_vertical_2"};
const char* const kLogoFileControls[] = {"Label_logo_src", "edit_logo_src", "Button_logo_src"};

QColor text_colour(const QWidget& widget) {
    return widget.palette().color(QPalette::WindowText);
}

void touch(const std::filesystem::path& file) {
    std::ofstream(file) << "x";
}

TEST_F(WindowTest, ControlsStandWhereTheyWereDesigned) {
    EXPECT_EQ(main_window().size(), QSize(393, 498));
    EXPECT_EQ(main_window().minimumSize(), main_window().maximumSize());
    EXPECT_EQ(main_window().windowTitle(), "Velmora");
    EXPECT_FALSE(main_window().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(main_window().windowFlags() & Qt::WindowMinimizeButtonHint);
    const struct {
        const char* name;
        QRect geometry;
    } placed[] = {
        {"Shape_for_logotype", {-5, -11, 400, 75}},
        {"image_top_logotype", {321, 9, 48, 42}},
        {"GroupBox1", {25, 81, 343, 96}},
        {"picture_width", {95, 191, 48, 21}},
        {"CheckBox_delete_exif", {235, 197, 13, 17}},
        {"Label6", {256, 188, 119, 39}},
        {"label_image_quality", {25, 220, 289, 13}},
        {"picture_quality", {16, 234, 358, 22}},
        {"GroupBox2", {25, 265, 343, 135}},
        {"ComboBox_logo_position", {16, 22, 310, 21}},
        {"logo_padding_horizontal", {75, 49, 33, 21}},
        {"logo_padding_vertical", {226, 49, 33, 21}},
        {"edit_logo_src", {16, 97, 201, 21}},
        {"Button_logo_src", {223, 96, 105, 23}},
        {"Button1", {24, 417, 169, 30}},
        {"Button3", {199, 417, 169, 30}},
        {"Button_start_photo_processing", {24, 453, 169, 30}},
        {"Button5", {199, 453, 169, 30}},
    };
    for (const auto& [name, geometry] : placed)
        EXPECT_EQ(control<QWidget>(name).geometry(), geometry) << name;
    const struct {
        const char* name;
        QPoint corner;
    } labels[] = {{"Label1", {24, 10}},
                  {"Label2", {24, 39}},
                  {"Label7", {16, 22}},
                  {"Label_program_status", {56, 22}},
                  {"Label3", {16, 45}},
                  {"label_file_count", {90, 44}},
                  {"Label4", {16, 68}},
                  {"label_file_processed", {90, 67}},
                  {"label_picture_width", {25, 193}},
                  {"Label13", {150, 193}},
                  {"label_logo_padding_horizontal_1", {16, 52}},
                  {"label_logo_padding_vertical_1", {170, 52}},
                  {"label_logo_padding_horizontal_2", {115, 52}},
                  {"label_logo_padding_vertical_2", {267, 52}},
                  {"Label_logo_src", {16, 77}}};
    for (const auto& [name, corner] : labels) EXPECT_EQ(control<QWidget>(name).pos(), corner) << name;
    EXPECT_EQ(control<QWidget>("label_logo_padding_vertical_1").geometry().right() + 1, 218);

    EXPECT_EQ(control<QLabel>("Label1").font().pixelSize(), 21);
    EXPECT_TRUE(control<QLabel>("Label1").font().bold());
    EXPECT_EQ(control<QLabel>("label_file_count").font().pixelSize(), 13);
    EXPECT_TRUE(control<QGroupBox>("GroupBox2").font().bold());
    EXPECT_FALSE(control<QLabel>("Label_logo_src").font().bold());
    EXPECT_EQ(control<QLabel>("Label7").font().pixelSize(), 11);
    EXPECT_EQ(control<QLabel>("image_top_logotype").pixmap().size(), QSize(48, 42));
    EXPECT_FALSE(control<QWidget>("CheckBox_delete_exif").isVisible());
    EXPECT_FALSE(control<QWidget>("Label6").isVisible());

    // Tab order, walked with the Tab key: the top-level controls first, then the logo group's.
    main_window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window()));
    control<QWidget>("Button1").setFocus();
    const char* order[] = {"Button_start_photo_processing",
                           "picture_quality",
                           "picture_width",
                           "Button3",
                           "Button5",
                           "ComboBox_logo_position",
                           "logo_padding_horizontal",
                           "logo_padding_vertical",
                           "edit_logo_src",
                           "Button_logo_src",
                           "Button1"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();  // its line edit
        EXPECT_EQ(focus->objectName().toStdString(), next);
    }
    // Passing through the position box, and Enter in it, select nothing.
    QTest::keyClick(&control<QComboBox>("ComboBox_logo_position"), Qt::Key_Return);
    EXPECT_EQ(main_window().logo_position_index(), -1);
    EXPECT_TRUE(enabled("logo_padding_horizontal"));
}

TEST_F(WindowTest, FirstStartWithoutStoredSettingsShowsTheDesignValues) {
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 50%");
    EXPECT_EQ(control<QSlider>("picture_quality").value(), 50);
    auto& position = control<QComboBox>("ComboBox_logo_position");
    EXPECT_EQ(position.currentIndex(), -1);
    EXPECT_EQ(position.currentText(), "Not to put");
    for (const char* name : kInsetControls) EXPECT_TRUE(enabled(name)) << name;
    for (const char* name : kLogoFileControls) EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Left inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Top inset:");
    EXPECT_EQ(control<QLineEdit>("picture_width").text(), "0");
    EXPECT_EQ(control<QLineEdit>("logo_padding_horizontal").text(), "0");
    EXPECT_EQ(control<QLineEdit>("edit_logo_src").text(), "");
    EXPECT_FALSE(control<QCheckBox>("CheckBox_delete_exif").isChecked());
    EXPECT_EQ(caption("label_file_count"), "0");
    EXPECT_EQ(caption("label_file_processed"), "0");
    EXPECT_EQ(caption("Label_program_status"), "empty");
    EXPECT_EQ(text_colour(control<QLabel>("Label_program_status")), QColor(128, 128, 128));
    EXPECT_TRUE(main_window().selection().empty());
}

TEST_F(WindowTest, HintsShowTheirTextsForTenSeconds) {
    const QString width_hint =
        "If the width of the original image will be less than that \n"
        "specified, the picture size will not change. This will keep \n"
        "the size small picture";
    for (const char* name : {"label_picture_width", "picture_width"}) {
        EXPECT_EQ(control<QWidget>(name).toolTip(), width_hint) << name;
        EXPECT_EQ(control<QWidget>(name).toolTipDuration(), 10000) << name;
    }
    for (const char* name : {"Label13", "label_logo_padding_horizontal_2", "label_logo_padding_vertical_2"}) {
        EXPECT_EQ(control<QWidget>(name).toolTip(), "Pixels") << name;
        EXPECT_EQ(control<QWidget>(name).toolTipDuration(), 10000) << name;
        EXPECT_EQ(control<QWidget>(name).cursor().shape(), Qt::WhatsThisCursor) << name;
    }
    EXPECT_TRUE(control<QWidget>("picture_quality").toolTip().isEmpty());
}

TEST_F(WindowTest, ChosenFilesBecomeTheSelectionAndACancelKeepsThem) {
    TestFolder pictures;
    const std::vector<std::string> names = {"one.jpg", "two photos.jpeg", "Ünïcode фото.JPG"};
    for (const std::string& name : names) touch(pictures.path() / path_from_utf8(name));
    touch(pictures.path() / "notes.txt");
    main_window().set_processed_text("7");
    ModalAnswerer answerer;
    int listed = -1;
    answerer.then([&](QWidget& dialog) {
        // The filter lists the three pictures, ".JPG" among them, and not the notes.
        auto& file_dialog = dynamic_cast<QFileDialog&>(dialog);
        file_dialog.setDirectory(QString::fromStdString(pictures.path().string()));
        auto* model = file_dialog.findChild<QFileSystemModel*>();
        const QModelIndex folder = model->index(QString::fromStdString(pictures.path().string()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) >= 3; }, 2000));
        QTest::qWait(50);
        listed = model->rowCount(folder);
        choose_files(pictures.path(), names)(dialog);
    });
    click("Button1");
    EXPECT_EQ(listed, 3);
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_EQ(caption("label_file_count"), "3");
    EXPECT_EQ(caption("label_file_processed"), "0");
    std::vector<std::filesystem::path> expected;
    for (const std::string& name : names) expected.push_back(pictures.path() / path_from_utf8(name));
    EXPECT_EQ(main_window().selection(), expected);

    main_window().set_processed_text("2");
    answerer.then(cancel_dialog());
    click("Button1");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_EQ(caption("label_file_count"), "3");
    EXPECT_EQ(caption("label_file_processed"), "2");
    EXPECT_EQ(main_window().selection(), expected);
    EXPECT_TRUE(answerer.boxes().empty());
}

TEST_F(WindowTest, ChoosingALogoFillsItsPathAndTheStatus) {
    TestFolder logos;
    touch(logos.path() / "my logo.png");
    ModalAnswerer answerer;
    answerer.then(choose_files(logos.path(), {"my logo.png"}));
    click("Button_logo_src");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_EQ(main_window().logo_path_text(), (logos.path() / "my logo.png").string());
    EXPECT_EQ(caption("Label_program_status"), "logo is selected");
    EXPECT_EQ(text_colour(control<QLabel>("Label_program_status")), QColor(0, 146, 10));

    answerer.then(cancel_dialog());
    click("Button_logo_src");
    EXPECT_EQ(main_window().logo_path_text(), (logos.path() / "my logo.png").string());
}

// Picks an item the way a user does: opens the list and clicks the item.
void pick(QComboBox& box, int index) {
    box.showPopup();
    QAbstractItemView* list = box.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QRect item = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_EQ(box.currentIndex(), index);
}

TEST_F(WindowTest, EachPositionEnablesAndNamesTheInsets) {
    auto& position = control<QComboBox>("ComboBox_logo_position");
    pick(position, 5);
    EXPECT_EQ(main_window().logo_position_index(), 5);
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Bottom inset:");
    for (const char* name : kInsetControls) EXPECT_TRUE(enabled(name)) << name;

    pick(position, 1);
    for (const char* name : kInsetControls) EXPECT_FALSE(enabled(name)) << name;
    for (const char* name : kLogoFileControls) EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");

    pick(position, 0);
    for (const char* name : kInsetControls) EXPECT_FALSE(enabled(name)) << name;
    for (const char* name : kLogoFileControls) EXPECT_FALSE(enabled(name)) << name;

    const struct {
        int index;
        const char* horizontal;
        const char* vertical;
    } corners[] = {{2, "Left inset:", "Top inset:"},
                   {3, "Right inset:", "Top inset:"},
                   {4, "Left inset:", "Bottom inset:"}};
    for (const auto& corner : corners) {
        pick(position, corner.index);
        EXPECT_EQ(caption("label_logo_padding_horizontal_1"), corner.horizontal);
        EXPECT_EQ(caption("label_logo_padding_vertical_1"), corner.vertical);
        const auto& vertical = control<QLabel>("label_logo_padding_vertical_1");
        EXPECT_EQ(vertical.geometry().right() + 1, 218);
        EXPECT_GE(vertical.width(), vertical.sizeHint().width());  // the whole caption shows
        EXPECT_LT(control<QLabel>("label_logo_padding_horizontal_2").geometry().right(), vertical.x());
    }

    // Typing leaves no item selected and enables everything, the captions as they were.
    pick(position, 0);
    position.lineEdit()->setFocus();
    position.lineEdit()->end(false);
    QTest::keyClicks(position.lineEdit(), "x");
    EXPECT_EQ(position.currentIndex(), -1);
    EXPECT_EQ(main_window().logo_position_index(), -1);
    EXPECT_EQ(position.currentText(), "Not to putx");
    for (const char* name : kInsetControls) EXPECT_TRUE(enabled(name)) << name;
    for (const char* name : kLogoFileControls) EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Left inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Bottom inset:");

    // Selecting from the program does not run the change handler.
    main_window().select_logo_position(0);
    EXPECT_TRUE(enabled("edit_logo_src"));
}

TEST_F(WindowTest, TrackBarMovesByKeysBetweenItsEnds) {
    auto& quality = control<QSlider>("picture_quality");
    quality.setFocus();
    // The platform's track bar: Left and Up towards the minimum, Right and Down towards the maximum, the
    // page keys two steps the same ways.
    const struct {
        Qt::Key key;
        int quality;
    } presses[] = {{Qt::Key_Home, 1},  {Qt::Key_Right, 2},      {Qt::Key_Down, 3},    {Qt::Key_PageDown, 5},
                   {Qt::Key_Up, 4},    {Qt::Key_PageUp, 2},     {Qt::Key_Left, 1},    {Qt::Key_PageUp, 1},
                   {Qt::Key_End, 100}, {Qt::Key_PageDown, 100}, {Qt::Key_PageUp, 98}, {Qt::Key_Up, 97}};
    for (const auto& [key, expected] : presses) {
        QTest::keyClick(&quality, key);
        EXPECT_EQ(main_window().quality(), expected) << QKeySequence(key).toString().toStdString();
    }
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 97%");
    QTest::keyClick(&quality, Qt::Key_End);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 100%");
    main_window().set_quality_position(250);
    EXPECT_EQ(main_window().quality_position(), 100);
    main_window().set_quality_position(-3);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 1%");
}

TEST_F(WindowTest, EditBoxesRefuseLettersAndASixthTypedCharacter) {
    for (const char* name : {"picture_width", "logo_padding_horizontal", "logo_padding_vertical"}) {
        auto& edit = control<QLineEdit>(name);
        edit.setFocus();
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClicks(&edit, "12a3-4 5678");
        EXPECT_EQ(edit.text(), "12345") << name;
        edit.selectAll();
        QTest::keyClicks(&edit, "0");  // typing over a selection stays within five
        EXPECT_EQ(edit.text(), "0") << name;
    }
    main_window().set_width_text("1234567");
    auto& width = control<QLineEdit>("picture_width");
    EXPECT_EQ(main_window().width_text(), "1234567");
    width.setFocus();
    width.end(false);
    QTest::keyClick(&width, Qt::Key_Backspace);
    EXPECT_EQ(width.text(), "123456");
    QTest::keyClicks(&width, "9");
    EXPECT_EQ(width.text(), "123456");
}

TEST_F(WindowTest, PumpRaisesAbortOnceTheWindowIsClosed) {
    EXPECT_NO_THROW(main_window().pump_messages());
    main_window().close();
    EXPECT_THROW(main_window().pump_messages(), Abort);
}

TEST_F(WindowTest, BatchBoxesShowTheirLinesAndIcons) {
    ModalAnswerer answerer;
    main_window().show_error_box("You need to set the width of images.\rPlease enter the width of images.");
    main_window().show_information_box(
        "All images were processed.\r\rProcessed images are in the folder /x y");
    ASSERT_EQ(answerer.boxes().size(), 2u);
    EXPECT_EQ(answerer.boxes()[0].title, "Error");
    EXPECT_EQ(answerer.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.boxes()[0].text,
              "You need to set the width of images.\nPlease enter the width of images.");
    EXPECT_EQ(answerer.boxes()[1].title, "Information");
    EXPECT_EQ(answerer.boxes()[1].icon, QMessageBox::Information);
    EXPECT_EQ(answerer.boxes()[1].text,
              "All images were processed.\n\nProcessed images are in the folder /x y");
}

}  // namespace
}  // namespace velmora::test
