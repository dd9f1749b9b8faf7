// The header picture of the main window, decoded from the program's resources by the system's imaging
// component.
#pragma once

#include <windows.h>

namespace velmora {

// The PNG resource `name` (resource type "PNG") of the program file as a 32-bit bitmap the caller owns.
// Raises "Resource <name> not found" when the program file has none, or the decoder's failure.
HBITMAP load_png_resource(const wchar_t* name);

}  // namespace velmora
