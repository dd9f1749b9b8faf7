// Where the logo goes on a photograph, and how its pixels combine with the photograph's.
#pragma once

#include <optional>

#include "imaging/picture.hpp"

namespace velmora {

struct LogoOrigin {
    int x;
    int y;
    friend bool operator==(const LogoOrigin&, const LogoOrigin&) = default;
};

// Top-left corner for position index 1..5 ("Center of the Image", "Top left", "Top right",
// "Bottom left", "Bottom right"); nullopt for any other index (nothing is drawn). No bound is tested:
// the corner may lie outside the photograph. The centre is (W - w) / 2 rounded half to even; insets do
// not apply there.
std::optional<LogoOrigin> logo_origin(int position_index, int picture_width, int picture_height,
                                      int logo_width, int logo_height, int inset_horizontal,
                                      int inset_vertical);

// Draws the logo picture onto the photo with its top-left corner at `origin`, one pixel onto one pixel,
// by the logo picture's own marks: premultiplied alpha when has_alpha() (out = P + D (255 - A) / 255,
// rounded to nearest), else skipping pixels of its transparent_color() when it has one, else opaque.
// Pixels outside the photo are dropped. On an indexed photo each drawn colour becomes its nearest
// palette entry.
void draw_logo(const Picture& logo_picture, Picture& photo, LogoOrigin origin);

}  // namespace velmora
