// Event handlers are connected to Qt's signals through this guard, so that no exception ever unwinds
// through Qt's own frames: whatever a handler throws ends in the top-level error reporting, and the
// event loop goes on.
#pragma once

#include <exception>
#include <utility>

#include "app/error_reporting.hpp"

namespace velmora {

// Runs handler() and reports whatever it throws.
template <class Handler>
void run_guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        report_error(std::current_exception());
    }
}

// A slot for connect() that runs handler() through the guard; the signal's arguments are not passed,
// handlers read what they need from their controls.
template <class Handler>
auto guarded(Handler handler) {
    return [handler = std::move(handler)]() noexcept { run_guarded(handler); };
}

}  // namespace velmora
