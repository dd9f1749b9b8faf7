// Text at the edge of the Windows API: wide-character strings to and from the program's UTF-8, and the
// system's own message for an error code. Windows only.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

std::wstring wide_of_utf8(std::string_view text);
std::string utf8_of_wide(std::wstring_view text);

// The system's text for a Win32 error code in the user's language (FormatMessageW), without the line
// break it ends with: "The system cannot find the file specified."
std::string system_message(unsigned long code);

}  // namespace velmora
