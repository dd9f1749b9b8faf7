#include "win32/error_reporting.hpp"

#include <windows.h>

#include "base/error_text.hpp"
#include "base/win32_text.hpp"
#include "win32/controls.hpp"

namespace velmora {

void report_error(const std::exception_ptr& error) noexcept {
    if (!error || is_abort(error)) return;
    try {
        // Without an active window (an error while the windows are made) the box disables every window
        // of the program instead of its owner.
        const HWND owner = GetActiveWindow();
        MessageBoxW(owner, display_text(error_box_text(error_message(error))).c_str(),
                    wide_of_utf8(kApplicationTitle).c_str(),
                    MB_OK | MB_ICONERROR | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL));
    } catch (...) {
        // Nothing is left to show the failure with; the program goes on.
    }
}

}  // namespace velmora
