// The message loop of the program and the message pump of a run, both over PeekMessageW or GetMessageW,
// TranslateMessage and DispatchMessageW, with the keyboard of dialogs (Tab, arrows, Enter) for the
// program's windows.
#pragma once

#include <windows.h>

namespace velmora {

// Handles one message: the dialog manager's keys for the program's windows, else translated and
// dispatched.
void dispatch_message(MSG& message);

// Dispatches messages until the application is told to end; answers the exit code it was given.
int run_message_loop();

// Handles every message already waiting and returns without waiting: true, or false when the application
// has been told to end, in which case that request stays for the message loop.
bool pump_waiting_messages();

// Dispatches messages until `done()` answers true, waiting between them: the loop of a modal window.
// Stops early, leaving the request for the message loop, when the application is told to end.
template <class Done>
void run_modal_loop(Done done) {
    MSG message{};
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch_message(message);
    }
}

}  // namespace velmora
