#include <clocale>
#include <csignal>

#include "console.hpp"

namespace velmora {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void on_interrupt(int) {
    interrupted = 1;
}

}  // namespace

void set_up_console() {
    // The locale of the environment: its character set for the output, its date and time formats for
    // the output folder's name.
    std::setlocale(LC_ALL, "");
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interrupt_requested() {
    return interrupted != 0;
}

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

}  // namespace velmora
