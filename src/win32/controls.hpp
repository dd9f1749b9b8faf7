// Child controls of the windows: made at their designed place with their font, and their texts between
// the program's UTF-8 and the wide-character API.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora {

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A child control of `parent` of the given window class, text, styles and place, over the controls made
// before it. Children clip their siblings, so a group box or the header band under them never paints
// over them.
HWND create_control(HWND parent, const wchar_t* window_class, std::string_view text, DWORD style, Place place,
                    HFONT font, DWORD ex_style = 0);

// A label: a static text that takes the size of its text in its font, as designed labels without a
// size do; `style` adds to SS_LEFT.
HWND create_label(HWND parent, std::string_view caption, int left, int top, HFONT font, DWORD style = 0);

// The size of `text` in the control's font, on one line.
SIZE text_size(HWND control, std::wstring_view text);
// Sets the text and fits the control to it, its top-left corner kept.
void set_caption(HWND label, std::string_view caption);

// Sets the text of a right-aligned label, which grows and shrinks to the left: its right edge stays where
// it is, and it is never narrower than `designed_width`.
void set_right_aligned_caption(HWND label, std::string_view caption, int designed_width);

std::string window_text(HWND window);
void set_window_text(HWND window, std::string_view text);

// The text as a control shows it: every carriage return not followed by a line feed gets one, so that
// "a\r\rb" shows an empty line between a and b.
std::wstring display_text(std::string_view text);

// Where the control is, relative to its parent's client area.
RECT place_in_parent(HWND control);

}  // namespace velmora
