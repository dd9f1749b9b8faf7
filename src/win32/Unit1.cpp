#include "win32/Unit1.hpp"

#include <commctrl.h>

#include <algorithm>

#include "base/error.hpp"
#include "base/win32_text.hpp"
#include "batch/photo_pipeline.hpp"
#include "settings/settings_store.hpp"
#include "win32/Unit2.hpp"
#include "win32/controls.hpp"
#include "win32/header_picture.hpp"
#include "win32/message_loop.hpp"

namespace velmora {

namespace {

const char* const kWidthHint =
    "If the width of the original image will be less than that \r"
    "specified, the picture size will not change. This will keep \r"
    "the size small picture";

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

COLORREF colour_ref(Color color) {
    return RGB(color.red, color.green, color.blue);
}

bool is_edit(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, static_cast<int>(std::size(name)));
    return lstrcmpiW(name, L"Edit") == 0;
}

// The top-left corner of a frame of the given size centred in `area`.
POINT centred_corner(const RECT& area, SIZE frame) {
    return {area.left + (area.right - area.left - frame.cx) / 2,
            area.top + (area.bottom - area.top - frame.cy) / 2};
}

}  // namespace

TForm1::TForm1()
    : OpenDialog1(std::wstring(L"Files JPG, JPEG\0*.jpg;*.jpeg;\0", 30), true),
      OpenPictureDialog_logo(std::wstring(L"Files PNG\0*.png\0", 16), false) {
    create(L"Velmora", kWindowStyle, 0, nullptr, kClientWidth, kClientHeight);
    hints_.create(handle());
    create_header_band();
    create_report_group();
    create_width_and_quality();
    create_logo_group();
    create_buttons();
    stack_controls();
    quality_shown_ = quality_position();
    set_first_focus(Button1);

    RECT work_area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work_area, 0);
    RECT frame{};
    GetWindowRect(handle(), &frame);
    const POINT corner = centred_corner(work_area, {frame.right - frame.left, frame.bottom - frame.top});
    SetWindowPos(handle(), nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm1::~TForm1() {
    destroy_window();
}

HWND TForm1::control(std::string_view name) const {
    for (const auto& [control_name, control] : names_)
        if (control_name == name) return control;
    return nullptr;
}

void TForm1::FormCreate() {
    hints_.set_hide_pause(kHintHidePause);
    hints_.add(label_picture_width, kWidthHint);
    hints_.add(picture_width, kWidthHint);

    header_picture_.reset(load_png_resource(L"PNG_TOP_LOGO"));
    SendMessageW(image_top_logotype, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(header_picture_.get()));

    // The quality label follows the track bar even when a stored value cannot be read and the error
    // ends the creation here; otherwise it would show the design text beside the track bar at 50.
    try {
        load_settings(*this);
    } catch (...) {
        picture_qualityChange();
        throw;
    }
    picture_qualityChange();
}

void TForm1::Button1Click() {
    std::vector<std::filesystem::path> chosen = OpenDialog1.execute(handle());
    if (chosen.empty()) return;
    selection_ = std::move(chosen);
    set_caption(label_file_count, std::to_string(selection_.size()));
    set_caption(label_file_processed, "0");
}

void TForm1::Button_start_photo_processingClick() {
    velmora::Button_start_photo_processingClick(*this);
}

void TForm1::Button3Click() {
    save_settings(*this);
    set_status("changes have been saved", kStatusGreen);
}

void TForm1::Button_logo_srcClick() {
    const std::vector<std::filesystem::path> chosen = OpenPictureDialog_logo.execute(handle());
    if (chosen.empty()) return;
    set_window_text(edit_logo_src, utf8_of_wide(chosen.front().wstring()));
    set_status("logo is selected", kStatusGreen);
}

void TForm1::Button5Click() {
    if (about_window_ != nullptr) about_window_->show_modally(handle());
}

void TForm1::ComboBox_logo_positionChange() {
    update_status_elements_for_label_padding();
}

void TForm1::picture_qualityChange() {
    quality_shown_ = quality_position();
    set_window_text(label_image_quality, "Image quality: " + std::to_string(quality_shown_) + "%");
}

// Typed text matches no item as far as the batch is concerned: the box keeps the text but selects
// nothing, and then runs its change handler as for a pick.
void TForm1::position_text_typed() {
    const bool list_open = SendMessageW(ComboBox_logo_position, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if (!list_open && logo_position_index() != -1) {
        const LRESULT caret = SendMessageW(ComboBox_logo_position, CB_GETEDITSEL, 0, 0);
        const std::string typed = window_text(ComboBox_logo_position);
        retyping_position_ = true;
        SendMessageW(ComboBox_logo_position, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        set_window_text(ComboBox_logo_position, typed);
        SendMessageW(ComboBox_logo_position, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(caret), HIWORD(caret)));
        retyping_position_ = false;
    }
    ComboBox_logo_positionChange();
}

void TForm1::update_status_elements_for_label_padding() {
    const HWND insets[] = {label_logo_padding_horizontal_1, logo_padding_horizontal,
                           label_logo_padding_horizontal_2, label_logo_padding_vertical_1,
                           logo_padding_vertical,           label_logo_padding_vertical_2};
    const HWND logo_file[] = {Label_logo_src, edit_logo_src, Button_logo_src};
    for (HWND control : insets) EnableWindow(control, TRUE);
    for (HWND control : logo_file) EnableWindow(control, TRUE);

    const int position = logo_position_index();
    if (position == 0 || position == 1) {
        for (HWND control : insets) EnableWindow(control, FALSE);
    }
    if (position == 0) {
        for (HWND control : logo_file) EnableWindow(control, FALSE);
    }
    if (position >= 2) {
        const bool left = position == 2 || position == 4;
        const bool top = position == 2 || position == 3;
        set_caption(label_logo_padding_horizontal_1, left ? "Left inset:" : "Right inset:");
        set_right_aligned_caption(label_logo_padding_vertical_1,
                                  top ? "Top inset:" : "Bottom inset:", kVerticalInsetLabelWidth);
    }
}

void TForm1::command(HWND control, WORD notification) {
    if (control == Button1 && notification == BN_CLICKED) Button1Click();
    if (control == Button_start_photo_processing && notification == BN_CLICKED)
        Button_start_photo_processingClick();
    if (control == Button3 && notification == BN_CLICKED) Button3Click();
    if (control == Button_logo_src && notification == BN_CLICKED) Button_logo_srcClick();
    if (control == Button5 && notification == BN_CLICKED) Button5Click();
    // A pick from the list (mouse or keys) and typing both count as a change; selecting an item from the
    // program does not, since the box tells only of the user's changes.
    if (control == ComboBox_logo_position && notification == CBN_SELCHANGE) ComboBox_logo_positionChange();
    if (control == ComboBox_logo_position && notification == CBN_EDITCHANGE && !retyping_position_)
        position_text_typed();
}

LRESULT TForm1::control_colour(HDC context, HWND control) {
    // Edit boxes that are disabled ask too; they keep the system's colours.
    if (is_edit(control))
        return DefWindowProcW(handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                              reinterpret_cast<LPARAM>(control));
    SetBkMode(context, TRANSPARENT);
    if (control == Shape_for_logotype || control == Label1 || control == Label2 ||
        control == image_top_logotype) {
        SetTextColor(context, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    SetTextColor(context, control == Label_program_status ? colour_ref(status_colour_)
                                                          : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT TForm1::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (lparam != 0) {
                command(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
            } else if (LOWORD(wparam) == IDOK) {
                // Enter presses the push button that has the focus, as Space does.
                const HWND focus = GetFocus();
                for (HWND button :
                     {Button1, Button3, Button_start_photo_processing, Button5, Button_logo_src})
                    if (focus == button) SendMessageW(button, BM_CLICK, 0, 0);
            }
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lparam) == picture_quality && quality_position() != quality_shown_)
                picture_qualityChange();
            return 0;
        case WM_CTLCOLORSTATIC:
            return control_colour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
        case WM_SETCURSOR: {
            const auto pointed = reinterpret_cast<HWND>(wparam);
            if (pointed == Label13 || pointed == label_logo_padding_horizontal_2 ||
                pointed == label_logo_padding_vertical_2) {
                SetCursor(LoadCursorW(nullptr, IDC_HELP));
                return TRUE;
            }
            break;
        }
        case WM_CLOSE:
            // The window goes away with the program; a run under way ends at its next pump.
            closed_ = true;
            ShowWindow(handle(), SW_HIDE);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return NativeWindow::on_message(message, wparam, lparam);
}

std::string TForm1::width_text() {
    return window_text(picture_width);
}
std::vector<std::filesystem::path> TForm1::selection() {
    return selection_;
}
std::string TForm1::logo_path_text() {
    return window_text(edit_logo_src);
}
int TForm1::logo_position_index() {
    return static_cast<int>(SendMessageW(ComboBox_logo_position, CB_GETCURSEL, 0, 0));
}
std::string TForm1::inset_horizontal_text() {
    return window_text(logo_padding_horizontal);
}
std::string TForm1::inset_vertical_text() {
    return window_text(logo_padding_vertical);
}
int TForm1::quality() {
    return quality_position();
}

void TForm1::set_processed_text(const std::string& text) {
    set_caption(label_file_processed, text);
}

void TForm1::set_status(const std::string& text, Color color) {
    status_colour_ = color;
    set_caption(Label_program_status, text);
}

void TForm1::set_run_button_enabled(bool enabled) {
    EnableWindow(Button_start_photo_processing, enabled ? TRUE : FALSE);
}

void TForm1::set_run_button_caption(const std::string& caption) {
    set_window_text(Button_start_photo_processing, caption);
}

void TForm1::show_error_box(const std::string& text) {
    MessageBoxW(handle(), display_text(text).c_str(), L"Error", MB_OK | MB_ICONERROR);
}

void TForm1::show_information_box(const std::string& text) {
    MessageBoxW(handle(), display_text(text).c_str(), L"Information", MB_OK | MB_ICONINFORMATION);
}

void TForm1::pump_messages() {
    if (!pump_waiting_messages()) closed_ = true;
    if (closed_) throw Abort();
}

void TForm1::set_width_text(const std::string& text) {
    set_window_text(picture_width, text);
}
bool TForm1::delete_exif_checked() {
    return SendMessageW(CheckBox_delete_exif, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void TForm1::set_delete_exif_checked(bool checked) {
    SendMessageW(CheckBox_delete_exif, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
int TForm1::quality_position() {
    return static_cast<int>(SendMessageW(picture_quality, TBM_GETPOS, 0, 0));
}

void TForm1::set_quality_position(int position) {
    const int minimum = static_cast<int>(SendMessageW(picture_quality, TBM_GETRANGEMIN, 0, 0));
    const int maximum = static_cast<int>(SendMessageW(picture_quality, TBM_GETRANGEMAX, 0, 0));
    const int clamped = std::clamp(position, minimum, maximum);
    if (clamped == quality_position()) return;
    SendMessageW(picture_quality, TBM_SETPOS, TRUE, clamped);
    picture_qualityChange();
}

std::vector<std::string> TForm1::logo_position_items() {
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendMessageW(ComboBox_logo_position, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(ComboBox_logo_position, CB_GETLBTEXTLEN, i, 0);
        std::vector<wchar_t> text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1);
        SendMessageW(ComboBox_logo_position, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(utf8_of_wide(text.data()));
    }
    return items;
}

void TForm1::select_logo_position(int index) {
    SendMessageW(ComboBox_logo_position, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void TForm1::set_inset_horizontal_text(const std::string& text) {
    set_window_text(logo_padding_horizontal, text);
}
void TForm1::set_inset_vertical_text(const std::string& text) {
    set_window_text(logo_padding_vertical, text);
}
void TForm1::set_logo_path_text(const std::string& text) {
    set_window_text(edit_logo_src, text);
}

}  // namespace velmora
