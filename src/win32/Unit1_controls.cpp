// The controls of the main window at their designed places. Positions are relative to the client area;
// a group box's controls are the window's own, placed at the group box's corner plus their designed
// offset, so that their notifications and colours come to the window. Labels without a given size take
// the size of their text.
#include <windows.h>

#include <commctrl.h>

#include "win32/Unit1.hpp"
#include "win32/controls.hpp"
#include "win32/window_fonts.hpp"

namespace velmora {

namespace {

constexpr POINT kReportCorner{25, 81};
constexpr POINT kLogoCorner{25, 265};
constexpr int kMaxTypedLength = 5;
constexpr int kQualityThumbLength = 14;
constexpr int kPositionListHeight = 160;  // the position box's drop-down list below its 21 pixels

Place in_group(POINT corner, Place place) {
    return {corner.x + place.left, corner.y + place.top, place.width, place.height};
}

HWND create_label_in(HWND parent, POINT corner, std::string_view caption, int left, int top,
                     HFONT font = window_font(), DWORD style = 0) {
    return create_label(parent, caption, corner.x + left, corner.y + top, font, style);
}

// An edit box that takes digits only and at most five typed characters; a text set by the program (a
// load of the settings) stands in full, and pasting is not checked.
HWND create_digit_edit(HWND parent, Place place, DWORD style = 0) {
    const HWND edit =
        create_control(parent, L"EDIT", "0", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER | style,
                       place, window_font(), WS_EX_CLIENTEDGE);
    SendMessageW(edit, EM_SETLIMITTEXT, kMaxTypedLength, 0);
    return edit;
}

HWND create_button(HWND parent, std::string_view caption, Place place) {
    return create_control(parent, L"BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, place,
                          window_font());
}

HWND create_group_box(HWND parent, std::string_view caption, POINT corner, int width, int height) {
    return create_control(parent, L"BUTTON", caption, WS_VISIBLE | BS_GROUPBOX,
                          {corner.x, corner.y, width, height}, window_font(kFont8Point, true));
}

const char* const kPixels = "Pixels";

}  // namespace

HWND TForm1::named(const char* name, HWND control) {
    names_.emplace_back(name, control);
    return control;
}

void TForm1::create_buttons() {
    const HWND window = handle();
    Button1 = named("Button1", create_button(window, "Choose images", {24, 417, 169, 30}));
    Button3 = named("Button3", create_button(window, "Save settings", {199, 417, 169, 30}));
    Button_start_photo_processing =
        named("Button_start_photo_processing", create_button(window, "Run process", {24, 453, 169, 30}));
    Button5 = named("Button5", create_button(window, "About Velmora", {199, 453, 169, 30}));
}

void TForm1::create_width_and_quality() {
    const HWND window = handle();
    label_image_quality = named("label_image_quality", create_control(window, L"STATIC", "Image quality: 0%",
                                                                      WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                                                      {25, 220, 289, 13}, window_font()));
    picture_quality = named(
        "picture_quality",
        create_control(window, TRACKBAR_CLASSW, "",
                       WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_FIXEDLENGTH,
                       {16, 234, 358, 22}, window_font()));
    // A thumb short enough that the tick marks below it fit into the designed height.
    SendMessageW(picture_quality, TBM_SETTHUMBLENGTH, kQualityThumbLength, 0);
    SendMessageW(picture_quality, TBM_SETRANGEMIN, FALSE, 1);
    SendMessageW(picture_quality, TBM_SETRANGEMAX, FALSE, 100);
    SendMessageW(picture_quality, TBM_SETLINESIZE, 0, 1);
    SendMessageW(picture_quality, TBM_SETPAGESIZE, 0, 2);
    SendMessageW(picture_quality, TBM_SETTICFREQ, 1, 0);
    SendMessageW(picture_quality, TBM_SETPOS, TRUE, 50);

    label_picture_width =
        named("label_picture_width", create_label(window, "Image width:", 25, 193, window_font(), SS_NOTIFY));
    picture_width = named("picture_width", create_digit_edit(window, {95, 191, 48, 21}));
    Label13 = named("Label13", create_label(window, "px", 150, 193, window_font(), SS_NOTIFY));
    hints_.add(Label13, kPixels);

    CheckBox_delete_exif =
        named("CheckBox_delete_exif", create_control(window, L"BUTTON", "", WS_DISABLED | BS_AUTOCHECKBOX,
                                                     {235, 197, 13, 17}, window_font()));
    Label6 = named("Label6",
                   create_control(window, L"STATIC", "Удалить EXIF данные - выдержка, диафрагма и т.д.",
                                  WS_DISABLED | SS_LEFT | SS_NOPREFIX, {256, 188, 119, 39}, window_font()));
}

void TForm1::create_logo_group() {
    const HWND window = handle();
    ComboBox_logo_position =
        named("ComboBox_logo_position",
              create_control(window, L"COMBOBOX", "",
                             WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                             in_group(kLogoCorner, {16, 22, 310, 21 + kPositionListHeight}), window_font()));
    for (const wchar_t* item :
         {L"Not to put", L"Center of the Image", L"Top left", L"Top right", L"Bottom left", L"Bottom right"})
        SendMessageW(ComboBox_logo_position, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    set_window_text(ComboBox_logo_position, "Not to put");  // shown, while no item is selected

    label_logo_padding_horizontal_1 =
        named("label_logo_padding_horizontal_1", create_label_in(window, kLogoCorner, "Left inset:", 16, 52));
    logo_padding_horizontal =
        named("logo_padding_horizontal",
              create_digit_edit(window, in_group(kLogoCorner, {75, 49, 33, 21}), ES_CENTER));
    label_logo_padding_horizontal_2 =
        named("label_logo_padding_horizontal_2",
              create_label_in(window, kLogoCorner, "px;", 115, 52, window_font(), SS_NOTIFY));
    // Right-aligned at its designed width: its right edge stays at 218 whatever its caption.
    label_logo_padding_vertical_1 =
        named("label_logo_padding_vertical_1",
              create_label_in(window, kLogoCorner, "Top inset:", 170, 52, window_font(), SS_RIGHT));
    const RECT vertical = place_in_parent(label_logo_padding_vertical_1);
    SetWindowPos(label_logo_padding_vertical_1, nullptr, 0, 0, kVerticalInsetLabelWidth,
                 vertical.bottom - vertical.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    set_right_aligned_caption(label_logo_padding_vertical_1, "Top inset:", kVerticalInsetLabelWidth);
    logo_padding_vertical =
        named("logo_padding_vertical",
              create_digit_edit(window, in_group(kLogoCorner, {226, 49, 33, 21}), ES_CENTER));
    label_logo_padding_vertical_2 =
        named("label_logo_padding_vertical_2",
              create_label_in(window, kLogoCorner, "px;", 267, 52, window_font(), SS_NOTIFY));
    hints_.add(label_logo_padding_horizontal_2, kPixels);
    hints_.add(label_logo_padding_vertical_2, kPixels);

    Label_logo_src = named("Label_logo_src", create_label_in(window, kLogoCorner, "Logo file (png)", 16, 77));
    edit_logo_src =
        named("edit_logo_src",
              create_control(window, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                             in_group(kLogoCorner, {16, 97, 201, 21}), window_font(), WS_EX_CLIENTEDGE));
    Button_logo_src = named(
        "Button_logo_src", create_button(window, "Choose a logo", in_group(kLogoCorner, {223, 96, 105, 23})));
}

void TForm1::create_report_group() {
    const HWND window = handle();
    const HFONT counter_font = window_font(kFont10Point, true);
    Label7 = named("Label7", create_label_in(window, kReportCorner, "Status:", 16, 22));
    Label_program_status =
        named("Label_program_status", create_label_in(window, kReportCorner, "empty", 56, 22));
    Label3 = named("Label3", create_label_in(window, kReportCorner, "Selected files: ", 16, 45));
    label_file_count =
        named("label_file_count", create_label_in(window, kReportCorner, "0", 90, 44, counter_font));
    Label4 = named("Label4", create_label_in(window, kReportCorner, "Processed: ", 16, 68));
    label_file_processed =
        named("label_file_processed", create_label_in(window, kReportCorner, "0", 90, 67, counter_font));
}

void TForm1::create_header_band() {
    const HWND window = handle();
    Label1 = named("Label1", create_label(window, "Velmora", 24, 10, window_font(kFont16Point, true)));
    Label2 =
        named("Label2", create_label(window, "Compress, resize photos and put logo", 24, 39, window_font()));
    image_top_logotype =
        named("image_top_logotype",
              create_control(window, L"STATIC", "", WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL,
                             {321, 9, 48, 42}, window_font()));
    // A static without text paints nothing but its background, which the window colours black.
    Shape_for_logotype =
        named("Shape_for_logotype",
              create_control(window, L"STATIC", "", WS_VISIBLE | SS_LEFT, {-5, -11, 400, 75}, window_font()));
}

// Tab follows the stacking order of siblings, so the focusable controls are stacked in the designed tab
// order: the window's own first, then those of the logo group. The header band and the group boxes lie
// under every other control, where their siblings clip them.
void TForm1::stack_controls() {
    GroupBox1 = named("GroupBox1", create_group_box(handle(), "Report", kReportCorner, 343, 96));
    GroupBox2 = named("GroupBox2", create_group_box(handle(), "Logo", kLogoCorner, 343, 135));
    const HWND order[] = {Button1,
                          Button_start_photo_processing,
                          picture_quality,
                          picture_width,
                          Button3,
                          Button5,
                          ComboBox_logo_position,
                          logo_padding_horizontal,
                          logo_padding_vertical,
                          edit_logo_src,
                          Button_logo_src};
    constexpr UINT kStackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(order[0], HWND_TOP, 0, 0, 0, 0, kStackOnly);
    for (std::size_t i = 1; i < std::size(order); ++i)
        SetWindowPos(order[i], order[i - 1], 0, 0, 0, 0, kStackOnly);
    for (HWND background : {GroupBox1, GroupBox2, Shape_for_logotype})
        SetWindowPos(background, HWND_BOTTOM, 0, 0, 0, 0, kStackOnly);
}

}  // namespace velmora
