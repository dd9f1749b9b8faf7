// The windows' fonts. Sizes are character heights in pixels, as the layouts were designed at 96 dots
// per inch: 8 point is 11 pixels, 10 point 13 and 16 point 21, whatever the screen's resolution.
#pragma once

#include <QFont>

namespace velmora {

inline constexpr int kFont8Point = 11;
inline constexpr int kFont10Point = 13;
inline constexpr int kFont16Point = 21;

// Makes the font `family` known to the program from `file` when the system's font configuration does not
// list it. When neither has it, answers the notice for the user that names the font used in its place;
// otherwise nothing.
QString register_font(const QString& family, const QString& file);

// register_font for Tahoma, from the Wine fonts (the package depends on them); without it the windows use
// the system's sans-serif font.
QString register_window_fonts();

QFont window_font(int pixel_size = kFont8Point, bool bold = false);

}  // namespace velmora
