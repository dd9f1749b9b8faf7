#include <windows.h>

#include "win32/startup.hpp"

// The program takes no command line.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return velmora::run_program();
}
