// The main window's layout, design values and controls, worked by their messages.
#include <windows.h>

#include <commctrl.h>

#include "base/win32_text.hpp"
#include "window_fixture.hpp"

namespace velmora::test {
namespace {

constexpr POINT kReport{25, 81};
constexpr POINT kLogo{25, 265};

struct Designed {
    const char* name;
    int left;
    int top;
    int width;   // 0 where the control takes the size of its text
    int height;  // 0 likewise
};

// Inside a group box the design gives places relative to the box's corner.
Designed in(POINT corner, Designed designed) {
    designed.left += corner.x;
    designed.top += corner.y;
    return designed;
}

TEST_F(WindowTest, ControlsStandWhereTheyWereDesigned) {
    RECT client{};
    GetClientRect(main_window().handle(), &client);
    EXPECT_EQ(client.right, 393);
    EXPECT_EQ(client.bottom, 498);
    EXPECT_EQ(text_of(main_window().handle()), "Velmora");
    const LONG style = GetWindowLongW(main_window().handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    // Centred in the work area, by its frame.
    RECT work_area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work_area, 0);
    RECT frame{};
    GetWindowRect(main_window().handle(), &frame);
    EXPECT_NEAR(frame.left + frame.right, work_area.left + work_area.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, work_area.top + work_area.bottom, 1);

    const Designed designed[] = {
        {"Shape_for_logotype", -5, -11, 400, 75},
        {"Label1", 24, 10, 0, 0},
        {"Label2", 24, 39, 0, 0},
        {"image_top_logotype", 321, 9, 48, 42},
        {"GroupBox1", 25, 81, 343, 96},
        in(kReport, {"Label7", 16, 22, 0, 0}),
        in(kReport, {"Label_program_status", 56, 22, 0, 0}),
        in(kReport, {"Label3", 16, 45, 0, 0}),
        in(kReport, {"label_file_count", 90, 44, 0, 0}),
        in(kReport, {"Label4", 16, 68, 0, 0}),
        in(kReport, {"label_file_processed", 90, 67, 0, 0}),
        {"label_picture_width", 25, 193, 0, 0},
        {"picture_width", 95, 191, 48, 21},
        {"Label13", 150, 193, 0, 0},
        {"CheckBox_delete_exif", 235, 197, 13, 17},
        {"Label6", 256, 188, 119, 39},
        {"label_image_quality", 25, 220, 289, 13},
        {"picture_quality", 16, 234, 358, 22},
        {"GroupBox2", 25, 265, 343, 135},
        in(kLogo, {"ComboBox_logo_position", 16, 22, 310, 0}),
        in(kLogo, {"label_logo_padding_horizontal_1", 16, 52, 0, 0}),
        in(kLogo, {"logo_padding_horizontal", 75, 49, 33, 21}),
        in(kLogo, {"label_logo_padding_horizontal_2", 115, 52, 0, 0}),
        in(kLogo, {"label_logo_padding_vertical_1", 170, 52, 48, 0}),
        in(kLogo, {"logo_padding_vertical", 226, 49, 33, 21}),
        in(kLogo, {"label_logo_padding_vertical_2", 267, 52, 0, 0}),
        in(kLogo, {"Label_logo_src", 16, 77, 0, 0}),
        in(kLogo, {"edit_logo_src", 16, 97, 201, 21}),
        in(kLogo, {"Button_logo_src", 223, 96, 105, 23}),
        {"Button1", 24, 417, 169, 30},
        {"Button3", 199, 417, 169, 30},
        {"Button_start_photo_processing", 24, 453, 169, 30},
        {"Button5", 199, 453, 169, 30},
    };
    for (const Designed& expected : designed) {
        const RECT place = place_of(control(expected.name));
        // Wine's Tahoma draws wider than the system's, so a label's width is not pinned down here.
        if (std::string(expected.name) == "label_logo_padding_vertical_1") {
            EXPECT_EQ(place.right, kLogo.x + 218) << expected.name;
            continue;
        }
        EXPECT_EQ(place.left, expected.left) << expected.name;
        EXPECT_EQ(place.top, expected.top) << expected.name;
        if (expected.width != 0) {
            EXPECT_EQ(place.right - place.left, expected.width) << expected.name;
        }
        if (expected.height != 0) {
            EXPECT_EQ(place.bottom - place.top, expected.height) << expected.name;
        }
    }
    // The position box's closed part is one line high.
    const RECT position = place_of(control("ComboBox_logo_position"));
    EXPECT_LE(position.bottom - position.top, 24);
    // A label as high as its font's characters: the counters in 10 point are taller than the rest.
    EXPECT_GT(place_of(control("label_file_count")).bottom - place_of(control("label_file_count")).top,
              place_of(control("Label3")).bottom - place_of(control("Label3")).top);
}

TEST_F(WindowTest, TabOrderFollowsTheDesignFromTheFirstFocus) {
    EXPECT_EQ(GetFocus(), control("Button1"));
    const char* const order[] = {"Button1",
                                 "Button_start_photo_processing",
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
    for (std::size_t i = 1; i < std::size(order); ++i) {
        HWND next = GetNextDlgTabItem(main_window().handle(), control(order[i - 1]), FALSE);
        EXPECT_EQ(next, control(order[i])) << "after " << order[i - 1] << " comes " << text_of(next);
    }
}

TEST_F(WindowTest, FirstStartWithoutStoredSettingsShowsTheDesignValues) {
    EXPECT_EQ(caption("picture_width"), "0");
    EXPECT_EQ(SendMessageW(control("picture_quality"), TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(SendMessageW(control("picture_quality"), TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageW(control("picture_quality"), TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 50%");
    EXPECT_EQ(caption("ComboBox_logo_position"), "Not to put");
    EXPECT_EQ(main_window().logo_position_index(), -1);
    EXPECT_EQ(main_window().logo_position_items(),
              (std::vector<std::string>{"Not to put", "Center of the Image", "Top left", "Top right",
                                        "Bottom left", "Bottom right"}));
    EXPECT_EQ(caption("Label_program_status"), "empty");
    EXPECT_EQ(text_colour("Label_program_status"), RGB(128, 128, 128));
    EXPECT_EQ(text_colour("Label1"), RGB(255, 255, 255));
    EXPECT_EQ(caption("label_file_count"), "0");
    EXPECT_EQ(caption("label_file_processed"), "0");
    EXPECT_FALSE(IsWindowVisible(control("CheckBox_delete_exif")));
    EXPECT_FALSE(enabled("CheckBox_delete_exif"));
    EXPECT_FALSE(IsWindowVisible(control("Label6")));
    for (const char* name : {"label_logo_padding_horizontal_1", "logo_padding_horizontal",
                             "logo_padding_vertical", "edit_logo_src", "Button_logo_src"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Left inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Top inset:");
    // The header picture came from the program's resources.
    BITMAP header{};
    const auto picture =
        reinterpret_cast<HBITMAP>(SendMessageW(control("image_top_logotype"), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(picture, nullptr);
    GetObjectW(picture, sizeof(header), &header);
    EXPECT_EQ(header.bmWidth, 48);
    EXPECT_EQ(header.bmHeight, 42);
}

TEST_F(WindowTest, EditBoxesTakeFiveTypedDigitsButAStoredTextInFull) {
    for (const char* name : {"picture_width", "logo_padding_horizontal", "logo_padding_vertical"}) {
        type_over(control(name), L"12a3-45 6");
        EXPECT_EQ(caption(name), "12345") << name;
        SendMessageW(control(name), WM_CHAR, VK_BACK, 1);
        EXPECT_EQ(caption(name), "1234") << name;
    }
    main_window().set_width_text("1234567");
    EXPECT_EQ(caption("picture_width"), "1234567");
    EXPECT_EQ(main_window().width_text(), "1234567");
}

TEST_F(WindowTest, EachPositionEnablesAndNamesTheInsets) {
    const char* const insets[] = {"label_logo_padding_horizontal_1", "logo_padding_horizontal",
                                  "label_logo_padding_horizontal_2", "label_logo_padding_vertical_1",
                                  "logo_padding_vertical",           "label_logo_padding_vertical_2"};
    const char* const logo_file[] = {"Label_logo_src", "edit_logo_src", "Button_logo_src"};
    const auto all_enabled = [&](const auto& names, bool expected) {
        for (const char* name : names) EXPECT_EQ(enabled(name), expected) << name;
    };
    const HWND position = control("ComboBox_logo_position");
    const int vertical_right = place_of(control("label_logo_padding_vertical_1")).right;

    pick(position, 5);
    all_enabled(insets, true);
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Bottom inset:");
    EXPECT_EQ(place_of(control("label_logo_padding_vertical_1")).right, vertical_right);
    pick(position, 1);
    all_enabled(insets, false);
    all_enabled(logo_file, true);
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
    pick(position, 0);
    all_enabled(insets, false);
    all_enabled(logo_file, false);
    pick(position, 2);
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Left inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Top inset:");
    EXPECT_EQ(place_of(control("label_logo_padding_vertical_1")).right, vertical_right);
    pick(position, 3);
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Top inset:");

    // Typing (here before the shown item's text) selects no item and enables all nine, the captions as
    // they were.
    pick(position, 0);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    ASSERT_TRUE(GetComboBoxInfo(position, &parts));
    SendMessageW(parts.hwndItem, WM_CHAR, L'x', 1);
    EXPECT_EQ(main_window().logo_position_index(), -1);
    EXPECT_EQ(caption("ComboBox_logo_position"), "xNot to put");
    all_enabled(insets, true);
    all_enabled(logo_file, true);
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
}

TEST_F(WindowTest, TrackBarChangesShowInTheQualityLabel) {
    const HWND quality = control("picture_quality");
    SendMessageW(quality, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 100%");
    SendMessageW(quality, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 1%");
    SendMessageW(quality, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(main_window().quality(), 3);
    SendMessageW(quality, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 4%");
    main_window().set_quality_position(250);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 100%");
}

TEST_F(WindowTest, HintsShowTheirTextsForTenSeconds) {
    const HWND tooltip = tooltip_of(main_window().handle());
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 5);
    const std::string width_hint =
        "If the width of the original image will be less than that \r\n"
        "specified, the picture size will not change. This will keep \r\n"
        "the size small picture";
    for (const char* name : {"label_picture_width", "picture_width"})
        EXPECT_EQ(hint_of(tooltip, main_window().handle(), control(name)), width_hint) << name;
    for (const char* name : {"Label13", "label_logo_padding_horizontal_2", "label_logo_padding_vertical_2"}) {
        EXPECT_EQ(hint_of(tooltip, main_window().handle(), control(name)), "Pixels") << name;
        // The pixel labels show the help cursor.
        SendMessageW(main_window().handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control(name)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HELP)) << name;
    }
}

TEST_F(WindowTest, EnterPressesTheFocusedButton) {
    SetFocus(control("Button3"));
    PostMessageW(control("Button3"), WM_KEYDOWN, VK_RETURN, 0);
    pump();
    EXPECT_EQ(caption("Label_program_status"), "changes have been saved");
    EXPECT_EQ(text_colour("Label_program_status"), RGB(0, 146, 10));
}

}  // namespace
}  // namespace velmora::test
