// How an error reads in the top-level error box, whichever window system shows the box: the message
// of the error, and the rule that ends it with a full stop. Abort is the kind that shows no box.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace velmora {

// The title of the application, the caption of its error boxes.
inline constexpr const char* kApplicationTitle = "Velmora";

// True for an Abort, which ends an operation without a message.
bool is_abort(const std::exception_ptr& error);

// The message of an error as the user reads it (UTF-8); errors without a message of their own still
// say what kind of failure they were ("Out of memory", "Unknown error").
std::string error_message(const std::exception_ptr& error);

// The text of the error box: the message, with one full stop appended when its last character comes
// after the full stop itself in the character table, so "Disk full" gets one and "photo_width'" does not.
std::string error_box_text(std::string_view message);

}  // namespace velmora
