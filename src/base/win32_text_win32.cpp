#include "base/win32_text.hpp"

#include <windows.h>

#include <memory>

#include "base/utf16.hpp"

namespace velmora {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide characters are UTF-16 code units on Windows");

std::wstring wide_of_utf8(std::string_view text) {
    const std::u16string units = utf16_of_utf8(text);
    return {units.begin(), units.end()};
}

std::string utf8_of_wide(std::wstring_view text) {
    const std::u16string units(text.begin(), text.end());
    return utf8_of_utf16(units);
}

std::string system_message(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(buffer, &LocalFree);
    if (length == 0) return "System error " + std::to_string(code) + ".";
    std::wstring_view text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.remove_suffix(1);
    return utf8_of_wide(text);
}

}  // namespace velmora
