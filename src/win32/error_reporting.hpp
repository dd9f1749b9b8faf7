// The one place where every error that leaves an event handler, a window's creation or the message loop
// ends: an Abort is dropped, anything else is shown in a box captioned with the application title
// (the box's text follows base/error_text.hpp).
#pragma once

#include <exception>

namespace velmora {

// Shows the error in a "Velmora" box with the error icon and one OK button, owned by the program's
// active window and modal to the program, and waits for OK; drops an Abort. Never throws.
void report_error(const std::exception_ptr& error) noexcept;

}  // namespace velmora
