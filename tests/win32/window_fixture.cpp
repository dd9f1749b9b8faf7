#include "window_fixture.hpp"

#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "base/win32_text.hpp"
#include "settings/settings_store.hpp"
#include "win32/controls.hpp"
#include "win32/message_loop.hpp"
#include "win32/native_window.hpp"

namespace velmora::test {

namespace {

ModalAnswerer* current_answerer = nullptr;

bool has_class(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    GetClassNameW(window, found, static_cast<int>(std::size(found)));
    return std::wcscmp(found, name) == 0;
}

// The modal window of the program's thread that waits for an answer: a shown and enabled system dialog
// (message box, file dialog), or a window of the program's own that another owns.
HWND waiting_modal_window() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            const bool modal = IsWindowVisible(window) && IsWindowEnabled(window) &&
                               (has_class(window, L"#32770") ||
                                (is_program_window(window) && GetWindow(window, GW_OWNER) != nullptr));
            if (modal) *reinterpret_cast<HWND*>(result) = window;
            return !modal;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND first_shown_edit(HWND dialog) {
    for (HWND child : descendants(dialog))
        if (has_class(child, L"Edit") && IsWindowVisible(child)) return child;
    return nullptr;
}

ShownBox read_box(HWND box) {
    ShownBox shown{text_of(box), {}, nullptr};
    for (HWND child : descendants(box)) {
        if (!has_class(child, L"Static")) continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            shown.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        else if (shown.text.empty())
            shown.text = text_of(child);
    }
    return shown;
}

}  // namespace

ModalAnswerer::ModalAnswerer() {
    current_answerer = this;
    timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &ModalAnswerer::tick);
}

ModalAnswerer::~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    current_answerer = nullptr;
}

void CALLBACK ModalAnswerer::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_answerer == nullptr) return;
    const HWND modal = waiting_modal_window();
    if (modal != nullptr) current_answerer->answer(modal);
}

void ModalAnswerer::answer(HWND modal) {
    if (modal == answered_) return;
    const bool message_box = has_class(modal, L"#32770") && first_shown_edit(modal) == nullptr;
    if (message_box) {
        boxes_.push_back(read_box(modal));
        answered_ = modal;
        PostMessageW(modal, WM_COMMAND, IDOK, 0);
    } else if (!actions_.empty()) {
        Action action = std::move(actions_.front());
        actions_.pop_front();
        answered_ = modal;
        action(modal);
        answered_ = nullptr;
    }
}

ModalAnswerer::Action choose_files(const std::filesystem::path& folder,
                                   const std::vector<std::string>& names) {
    return [folder, names](HWND dialog) {
        // First into the folder, as the user types it; then the names, each between quotes.
        const HWND file_name = first_shown_edit(dialog);
        SetWindowTextW(file_name, folder.wstring().c_str());
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        std::wstring typed;
        for (const std::string& name : names) typed += L"\"" + wide_of_utf8(name) + L"\" ";
        SetWindowTextW(first_shown_edit(dialog), typed.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
}

ModalAnswerer::Action cancel_dialog() {
    return [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
}

void pump() {
    pump_waiting_messages();
}

std::string text_of(HWND window) {
    return window_text(window);
}

RECT place_of(HWND control) {
    return place_in_parent(control);
}

RECT client_place_of(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

void type_over(HWND edit, const std::wstring& typed) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t character : typed) SendMessageW(edit, WM_CHAR, character, 1);
}

void pick(HWND combo_box, int index) {
    SendMessageW(combo_box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo_box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo_box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo_box));
}

HWND tooltip_of(HWND owner) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (GetWindow(window, GW_OWNER) == owner && lstrcmpW(name, TOOLTIPS_CLASSW) == 0) return window;
    }
    return nullptr;
}

std::string hint_of(HWND tooltip, HWND owner, HWND control) {
    wchar_t text[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return utf8_of_wide(text);
}

void WindowTest::SetUp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, wide_of_utf8(kSettingsKeyPath).c_str());
    restart_program();
}

void WindowTest::restart_program() {
    windows_ = {};
    windows_ = create_program_windows();
    ShowWindow(main_window().handle(), SW_SHOWNORMAL);
    UpdateWindow(main_window().handle());
    pump();
}

void WindowTest::store_setting(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, wide_of_utf8(kSettingsKeyPath).c_str(), name, type, data, size),
        ERROR_SUCCESS);
}

HWND WindowTest::control(const char* name) {
    const HWND found = main_window().control(name);
    if (found == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return found;
}

COLORREF WindowTest::text_colour(const char* name) {
    const HDC context = CreateCompatibleDC(nullptr);
    SendMessageW(main_window().handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                 reinterpret_cast<LPARAM>(control(name)));
    const COLORREF colour = GetTextColor(context);
    DeleteDC(context);
    return colour;
}

}  // namespace velmora::test
