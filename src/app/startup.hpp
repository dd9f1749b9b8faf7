// Start-up in its fixed order: the application's identity, the main window with its creation handler,
// then the About window, hidden; then the message loop until the main window closes.
#pragma once

#include <memory>

namespace velmora {

class TForm1;
class TForm2;

struct ProgramWindows {
    std::unique_ptr<TForm1> main_window;
    TForm2* about_window = nullptr;  // owned by the main window
};

// Title, version, icon and fonts of the application object, which must exist, and the reporter of the
// errors that leave the windows' handlers.
void prepare_application();

// Creates both windows; an error in either creation handler is reported and the window still exists.
ProgramWindows create_program_windows();

// The whole program: prepare, create, show the main window and run the message loop. Of the command
// line only the program's name is used.
int run_program(int argc, char** argv);

}  // namespace velmora
