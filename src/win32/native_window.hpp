// A top-level window of the program: one window class for both windows, with the program's icon and the
// system window colour, whose messages go to the object that made the window. Every message runs
// through the handler guard, so no exception unwinds through the system's frames, and the window keeps
// the keyboard focus of its controls while another window is active, as a dialog does.
#pragma once

#include <windows.h>

namespace velmora {

class NativeWindow {
  public:
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;
    virtual ~NativeWindow();

    HWND handle() const { return window_; }

  protected:
    NativeWindow() = default;

    // Makes the window, hidden, with a client area of the given size and the frame of `style`.
    void create(const wchar_t* caption, DWORD style, DWORD ex_style, HWND owner, int client_width,
                int client_height);

    // The window's own handling; what it does not handle goes to DefWindowProcW.
    virtual LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);

    // The control that gets the focus when the window is first activated.
    void set_first_focus(HWND control) { focus_ = control; }
    // Destroys the window now; a derived window calls it first in its destructor, while its controls'
    // resources still exist.
    void destroy_window();

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND window_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was last deactivated
};

// True for the windows made by NativeWindow, whose keyboard messages the dialog manager handles.
bool is_program_window(HWND window);

}  // namespace velmora
