// The user's short date and long time formats of the Control Panel, for the current local time.
#include <windows.h>

#include "base/local_time_text.hpp"
#include "base/win32_text.hpp"

namespace velmora {

namespace {

// The current local time written by `format(time, buffer, size)`, which is asked for the size first and
// then for the text, of the one time read here; empty when the system refuses.
template <class Format>
std::string formatted_now(Format format) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const auto format_now = [&](wchar_t* buffer, int size) { return format(&now, buffer, size); };
    const int size = format_now(nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = format_now(text.data(), size);
    if (written <= 0) return {};
    text.resize(static_cast<std::size_t>(written - 1));  // without the terminating null
    return utf8_of_wide(text);
}

}  // namespace

std::string local_short_date_text() {
    return formatted_now([](const SYSTEMTIME* time, wchar_t* buffer, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, time, nullptr, buffer, size,
                               nullptr);
    });
}

std::string local_long_time_text() {
    return formatted_now([](const SYSTEMTIME* time, wchar_t* buffer, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, time, nullptr, buffer, size);
    });
}

}  // namespace velmora
