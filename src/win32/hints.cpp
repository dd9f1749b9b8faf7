#include "win32/hints.hpp"

#include <commctrl.h>

#include <string>

#include "base/error.hpp"
#include "win32/controls.hpp"

namespace velmora {

Hints::~Hints() {
    if (tooltip_ != nullptr) DestroyWindow(tooltip_);
}

void Hints::create(HWND owner) {
    owner_ = owner;
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tooltip_ == nullptr) throw Error("Cannot create the hints");
    // A width limit makes the tool tip break its text into lines at the line breaks.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 1000);
}

void Hints::set_hide_pause(int milliseconds) {
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(milliseconds, 0));
}

void Hints::add(HWND control, std::string_view hint) {
    std::wstring text = display_text(hint);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace velmora
