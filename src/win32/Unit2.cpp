#include "win32/Unit2.hpp"

#include <shellapi.h>

#include <algorithm>

#include "base/win32_text.hpp"
#include "resources/program_identity.hpp"
#include "win32/controls.hpp"
#include "win32/message_loop.hpp"
#include "win32/window_fonts.hpp"

namespace velmora {

namespace {

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

TForm2::TForm2(HWND owner) {
    create(L"About Velmora", kWindowStyle, kWindowExStyle, owner, kClientWidth, kClientHeight);
    const HWND window = handle();
    hints_.create(window);
    const HFONT regular = window_font();
    const HFONT bold = window_font(kFont8Point, true);
    Button1 =
        named("Button1", create_control(window, L"BUTTON", "Close", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                        {93, 177, 158, 25}, regular));
    Label1 = named("Label1",
                   create_control(window, L"STATIC", "About Velmora", WS_VISIBLE | SS_CENTER | SS_NOPREFIX,
                                  {8, 18, 329, 25}, window_font(kFont16Point)));
    Label2 = named("Label2", create_label(window, "Version:", 25, 56, bold));
    Label3 = named("Label3", create_label(window, kProgramMajorVersion, 74, 56, regular));
    Label4 = named("Label4", create_label(window, "Free for personal and business use", 25, 72, bold));
    Label_developer_site =
        named("Label_developer_site",
              create_label(window, kDeveloperSite, 25, 88, window_font(kFont8Point, true, true), SS_NOTIFY));
    Label6 =
        named("Label6", create_control(window, L"STATIC",
                                       "Velmora is an application to resize, compress the images and photos. "
                                       "Also, the application allows you to quickly insert logos and "
                                       "copyright marks. ",
                                       WS_VISIBLE | SS_LEFT | SS_NOPREFIX, {25, 116, 296, 45}, regular));
    set_first_focus(Button1);
}

TForm2::~TForm2() {
    destroy_window();
}

HWND TForm2::named(const char* name, HWND control) {
    names_.emplace_back(name, control);
    return control;
}

HWND TForm2::control(std::string_view name) const {
    for (const auto& [control_name, control] : names_)
        if (control_name == name) return control;
    return nullptr;
}

void TForm2::FormCreate() {
    hints_.add(Label_developer_site, "Visit website " + window_text(Label_developer_site));
}

void TForm2::Label_developer_siteClick() {
    // The shell's answer does not matter: without a browser nothing happens and the window stays.
    ShellExecuteW(handle(), L"open", wide_of_utf8(kDeveloperSite).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm2::Button1Click() {
    SendMessageW(handle(), WM_CLOSE, 0, 0);
}

void TForm2::show_modally(HWND over) {
    if (!placed_) {
        RECT owner{};
        GetWindowRect(over, &owner);
        RECT frame{};
        GetWindowRect(handle(), &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        const int left = std::max<int>(owner.left + (owner.right - owner.left - width) / 2,
                                       GetSystemMetrics(SM_XVIRTUALSCREEN));
        const int top = std::max<int>(owner.top + (owner.bottom - owner.top - height) / 2,
                                      GetSystemMetrics(SM_YVIRTUALSCREEN));
        SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    EnableWindow(over, FALSE);
    shown_ = true;
    ShowWindow(handle(), SW_SHOW);
    run_modal_loop([this] { return !shown_; });
    shown_ = false;
    // The owner takes input again before this window goes, so that it becomes the active window.
    EnableWindow(over, TRUE);
    ShowWindow(handle(), SW_HIDE);
}

LRESULT TForm2::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: {
            const auto control = reinterpret_cast<HWND>(lparam);
            if (control == Label_developer_site && HIWORD(wparam) == STN_CLICKED) Label_developer_siteClick();
            // "Close" by click, Space or Enter, and Escape, close the window as its close box does.
            if ((control == Button1 && HIWORD(wparam) == BN_CLICKED) ||
                (control == nullptr && LOWORD(wparam) == IDOK && GetFocus() == Button1))
                Button1Click();
            if (control == nullptr && LOWORD(wparam) == IDCANCEL) Button1Click();
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
            SetTextColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wparam) == Label_developer_site) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // Hidden, not destroyed: the modal loop ends and the window can be shown again.
            shown_ = false;
            return 0;
        default:
            break;
    }
    return NativeWindow::on_message(message, wparam, lparam);
}

}  // namespace velmora
