#include "base/handler_guard.hpp"

namespace velmora {

namespace {

HandlerErrorReporter& installed_reporter() {
    static HandlerErrorReporter reporter;
    return reporter;
}

}  // namespace

void set_handler_error_reporter(HandlerErrorReporter reporter) {
    installed_reporter() = std::move(reporter);
}

void report_handler_error(const std::exception_ptr& error) noexcept {
    // Without a reporter, the error would be lost without a trace; ending the program, as an exception
    // leaving a noexcept function does, at least shows that one was missing.
    if (!installed_reporter()) std::terminate();
    installed_reporter()(error);
}

}  // namespace velmora
