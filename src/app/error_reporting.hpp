// The one place where every error that leaves an event handler, a window's creation or the message loop
// ends: an Abort is dropped, anything else is shown in a box captioned with the application title.
#pragma once

#include <exception>

#include <QString>

namespace velmora {

inline constexpr const char* kApplicationTitle = "Velmora";

// The text of the error box: the message, with one full stop appended when its last character comes
// after the full stop itself in the character table, so "Disk full" gets one and "photo_width'" does not.
QString error_box_text(const QString& message);

// Shows the error in a modal "Velmora" box with the error icon and waits for OK; drops an Abort.
// Never throws, so it can be called from any catch block.
void report_error(const std::exception_ptr& error) noexcept;

}  // namespace velmora
