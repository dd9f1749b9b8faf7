#include "win32/message_loop.hpp"

#include "win32/native_window.hpp"

namespace velmora {

void dispatch_message(MSG& message) {
    const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (is_program_window(root) && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int run_message_loop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch_message(message);
    return static_cast<int>(message.wParam);
}

bool pump_waiting_messages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        dispatch_message(message);
    }
    return true;
}

}  // namespace velmora
