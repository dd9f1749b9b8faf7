// The windows' fonts: Tahoma, the system's (or Wine's), at character heights in pixels as the layouts were
// designed at 96 dots per inch: 8 point is 11 pixels, 10 point 13 and 16 point 21. Each font is made once
// and lives as long as the program.
#pragma once

#include <windows.h>

namespace velmora {

inline constexpr int kFont8Point = 11;
inline constexpr int kFont10Point = 13;
inline constexpr int kFont16Point = 21;

HFONT window_font(int pixel_height = kFont8Point, bool bold = false, bool underline = false);

}  // namespace velmora
