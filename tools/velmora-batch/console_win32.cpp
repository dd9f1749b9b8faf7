#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "base/win32_text.hpp"
#include "console.hpp"

namespace velmora {

namespace {

std::atomic<int> interrupts{0};
UINT console_output_code_page = 0;

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    return ++interrupts == 1 ? TRUE : FALSE;  // FALSE: the system's own handler ends the program
}

void restore_console_output() {
    SetConsoleOutputCP(console_output_code_page);
}

}  // namespace

void set_up_console() {
    // Lines end in a line feed alone, as on other systems, so that scripts read the same bytes.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The console shows the UTF-8 the program prints; its own code page is given back at the end.
    console_output_code_page = GetConsoleOutputCP();
    if (console_output_code_page != 0 && SetConsoleOutputCP(CP_UTF8)) std::atexit(restore_console_output);
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

bool interrupt_requested() {
    return interrupts.load() > 0;
}

bool standard_output_is_terminal() {
    return _isatty(_fileno(stdout)) != 0;
}

bool standard_error_is_terminal() {
    return _isatty(_fileno(stderr)) != 0;
}

int usable_cores() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0)
        return std::popcount(static_cast<std::uint64_t>(process));
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
}

// The narrow argv holds the arguments in the system's code page, which cannot spell every file name:
// they are taken from the wide command line instead.
std::vector<std::string> utf8_arguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(CommandLineToArgvW(GetCommandLineW(), &count),
                                                             &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(utf8_of_wide(wide.get()[i]));
    return arguments;
}

}  // namespace velmora
