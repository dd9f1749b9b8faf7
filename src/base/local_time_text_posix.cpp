// The C library's formats of the locale in force (set by the program from the environment): %x for
// the date, %X for the time with seconds.
#include <ctime>

#include "base/local_time_text.hpp"

namespace velmora {

namespace {

std::string local_time_text(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

}  // namespace

std::string local_short_date_text() {
    return local_time_text("%x");
}

std::string local_long_time_text() {
    return local_time_text("%X");
}

}  // namespace velmora
