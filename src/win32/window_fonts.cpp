#include "win32/window_fonts.hpp"

#include <map>
#include <memory>
#include <tuple>
#include <type_traits>

#include "base/error.hpp"

namespace velmora {

namespace {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

}  // namespace

HFONT window_font(int pixel_height, bool bold, bool underline) {
    static std::map<std::tuple<int, bool, bool>, OwnedFont> fonts;
    OwnedFont& font = fonts[{pixel_height, bold, underline}];
    if (!font) {
        // A negative height asks for the character height, without the internal leading.
        font.reset(CreateFontW(-pixel_height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
        if (!font) throw Error("Cannot create the font Tahoma");
    }
    return font.get();
}

}  // namespace velmora
