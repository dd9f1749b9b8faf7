#include "win32/startup.hpp"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

#include "base/error.hpp"
#include "base/handler_guard.hpp"
#include "win32/Unit1.hpp"
#include "win32/Unit2.hpp"
#include "win32/error_reporting.hpp"
#include "win32/message_loop.hpp"

namespace velmora {

Application::Application() {
    set_handler_error_reporter(report_error);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
    if (!InitCommonControlsEx(&controls)) throw Error("Cannot initialise the common controls");
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
        throw Error("Cannot initialise COM");
}

Application::~Application() {
    CoUninitialize();
}

// Here, where both windows are complete types.
ProgramWindows::ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;
ProgramWindows& ProgramWindows::operator=(ProgramWindows&&) noexcept = default;
ProgramWindows::~ProgramWindows() = default;

ProgramWindows create_program_windows() {
    ProgramWindows windows;
    windows.main_window = std::make_unique<TForm1>();
    run_reporting_errors([&] { windows.main_window->FormCreate(); });
    windows.about_window = std::make_unique<TForm2>(windows.main_window->handle());
    run_reporting_errors([&] { windows.about_window->FormCreate(); });
    windows.main_window->set_about_window(windows.about_window.get());
    return windows;
}

int run_program() {
    try {
        const Application application;
        const ProgramWindows windows = create_program_windows();
        // Unowned, the main window carries the program's task-bar button; the About window it owns has none.
        ShowWindow(windows.main_window->handle(), SW_SHOWNORMAL);
        UpdateWindow(windows.main_window->handle());
        return run_message_loop();
    } catch (...) {
        report_error(std::current_exception());
        return EXIT_FAILURE;
    }
}

}  // namespace velmora
