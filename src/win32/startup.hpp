// Start-up in its fixed order, as on every platform: the application, the main window with its creation
// handler, then the About window, hidden; then the message loop until the main window closes.
#pragma once

#include <memory>

namespace velmora {

class TForm1;
class TForm2;

// The application of the user-interface thread: the common controls, the thread's COM apartment (the
// imaging component and the shell use it) and the reporter of the errors that leave the windows'
// handlers. One exists while the program's windows do.
class Application {
  public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();
};

struct ProgramWindows {
    ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
    ~ProgramWindows();

    std::unique_ptr<TForm1> main_window;
    std::unique_ptr<TForm2>
        about_window;  // owned by the main window's frame; declared after it, destroyed first
};

// Creates both windows; an error in either creation handler is reported and the window still exists.
ProgramWindows create_program_windows();

// The whole program: the application, both windows, the main window shown and the message loop.
int run_program();

}  // namespace velmora
