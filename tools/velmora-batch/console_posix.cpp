#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <clocale>
#include <csignal>
#include <thread>

#include "console.hpp"

namespace velmora {

namespace {

// Set by the handler on whichever thread the signal reaches, read by the run's own thread.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler may only touch a lock-free atomic");

extern "C" void on_interrupt(int) {
    interrupted = true;
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
    // A write to a pipe whose reader has gone then fails with EPIPE, which the stream keeps to itself.
    std::signal(SIGPIPE, SIG_IGN);
}

bool interrupt_requested() {
    return interrupted;
}

bool standard_output_is_terminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool standard_error_is_terminal() {
    return isatty(STDERR_FILENO) == 1;
}

int usable_cores() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(CPU_COUNT(&cores), 1);
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
}

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

}  // namespace velmora
