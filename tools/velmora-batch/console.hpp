// The driver's console on each platform: its command line as UTF-8, UTF-8 output, interrupts, and
// whether the output goes to a terminal.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// Prepares the console for the run: what the program prints is UTF-8 and shows as such, and the first
// interrupt (Ctrl-C, a request to stop) only marks the run as interrupted, so that it ends at its next
// pump with the pictures written so far; a second one, while a large picture is still being worked
// on, ends the program at once. A standard output that nobody reads any more (a pipe into a program
// that has ended) makes the lines written to it vanish, not the run end.
void set_up_console();

// Answers on any thread.
bool interrupt_requested();

bool standard_output_is_terminal();
bool standard_error_is_terminal();

// The number of cores this process may run on, at least 1.
int usable_cores();

// The program's arguments after its name, as UTF-8.
std::vector<std::string> utf8_arguments(int argc, char** argv);

}  // namespace velmora
