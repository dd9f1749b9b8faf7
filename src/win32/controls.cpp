#include "win32/controls.hpp"

#include <algorithm>
#include <vector>

#include "base/error.hpp"
#include "base/win32_text.hpp"

namespace velmora {

HWND create_control(HWND parent, const wchar_t* window_class, std::string_view text, DWORD style, Place place,
                    HFONT font, DWORD ex_style) {
    const HWND control = CreateWindowExW(
        ex_style, window_class, wide_of_utf8(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, place.left,
        place.top, place.width, place.height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) throw Error("Cannot create a control: " + system_message(GetLastError()));
    // A control made later lies over those made before it, where they overlap.
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

HWND create_label(HWND parent, std::string_view caption, int left, int top, HFONT font, DWORD style) {
    const HWND label = create_control(parent, L"STATIC", caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | style,
                                      {left, top, 0, 0}, font);
    set_caption(label, caption);
    return label;
}

SIZE text_size(HWND control, std::wstring_view text) {
    SIZE size{};
    const HDC context = GetDC(control);
    const HGDIOBJ former =
        SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(context, text.data(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    size.cy = metrics.tmHeight;
    SelectObject(context, former);
    ReleaseDC(control, context);
    return size;
}

void set_caption(HWND label, std::string_view caption) {
    const std::wstring text = wide_of_utf8(caption);
    SetWindowTextW(label, text.c_str());
    const SIZE size = text_size(label, text);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

void set_right_aligned_caption(HWND label, std::string_view caption, int designed_width) {
    const RECT place = place_in_parent(label);
    const std::wstring text = wide_of_utf8(caption);
    SetWindowTextW(label, text.c_str());
    const int width = std::max<int>(designed_width, text_size(label, text).cx);
    SetWindowPos(label, nullptr, place.right - width, place.top, width, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(GetParent(label), &place, TRUE);
}

std::string window_text(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return utf8_of_wide(std::wstring_view(text.data(), static_cast<std::size_t>(length)));
}

void set_window_text(HWND window, std::string_view text) {
    SetWindowTextW(window, wide_of_utf8(text).c_str());
}

std::wstring display_text(std::string_view text) {
    const std::wstring wide = wide_of_utf8(text);
    std::wstring shown;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        shown += wide[i];
        if (wide[i] == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n')) shown += L'\n';
    }
    return shown;
}

RECT place_in_parent(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

}  // namespace velmora
