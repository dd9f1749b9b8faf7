// Event handlers run through this guard, so that no exception ever unwinds through the frames of the
// window system that called them (Qt's signals, or a Win32 window procedure): whatever a handler throws
// goes to the error reporter, and the event loop goes on. The application installs its top-level
// reporter at start-up, before any window exists; both front ends share this one guard.
#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace velmora {

// Shows or otherwise ends an error that left a handler; called from catch blocks, so it must not throw.
using HandlerErrorReporter = std::function<void(const std::exception_ptr&)>;

void set_handler_error_reporter(HandlerErrorReporter reporter);

// Hands the error to the installed reporter.
void report_handler_error(const std::exception_ptr& error) noexcept;

// Runs handler() and reports whatever it throws.
template <class Handler>
void run_reporting_errors(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        report_handler_error(std::current_exception());
    }
}

// A slot for Qt's connect() that runs handler() through the guard; the signal's arguments are not passed,
// handlers read what they need from their controls.
template <class Handler>
auto guarded(Handler handler) {
    return [handler = std::move(handler)]() noexcept { run_reporting_errors(handler); };
}

}  // namespace velmora
