// The hints of a window's controls: one tool tip control per window, showing a control's hint while
// the mouse rests on it and keeping it visible for the application's hint time.
#pragma once

#include <windows.h>

#include <string_view>

namespace velmora {

class Hints {
  public:
    Hints() = default;
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;
    ~Hints();

    // Makes the tool tip control of `owner`.
    void create(HWND owner);
    // How long, in milliseconds, a hint stays visible; the other timings are the platform's.
    void set_hide_pause(int milliseconds);
    // Gives `control` the hint; "\r" separates its lines.
    void add(HWND control, std::string_view hint);

  private:
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
};

}  // namespace velmora
