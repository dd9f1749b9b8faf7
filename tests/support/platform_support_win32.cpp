#include <windows.h>

#include <cstdlib>
#include <string_view>

#include "base/win32_text.hpp"
#include "platform_support.hpp"

namespace velmora::test {

namespace {

// The system's message for `code`, without its closing line break, asked for here directly.
std::string reason(DWORD code) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  0, text, 512, nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    return utf8_of_wide({text, length});
}

}  // namespace

int run_command(const std::string& command) {
    // The interpreter drops the first and the last quote of the line: an outer pair keeps the inner ones.
    return _wsystem(wide_of_utf8("\"" + command + "\"").c_str());
}

std::string shell_quoted(const std::filesystem::path& path) {
    return "\"" + utf8_of_wide(path.wstring()) + "\"";
}

std::optional<std::filesystem::path> find_program(const std::string& name) {
    const wchar_t* path = _wgetenv(L"PATH");
    std::wstring_view folders = path != nullptr ? path : L"";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(L';'), folders.size());
        const auto candidate = std::filesystem::path(folders.substr(0, end)) / (name + ".exe");
        if (std::filesystem::exists(candidate)) return candidate;
        folders.remove_prefix(std::min(end + 1, folders.size()));
    }
    return std::nullopt;
}

std::string missing_file_reason() {
    return reason(ERROR_FILE_NOT_FOUND);
}

std::string missing_folder_reason() {
    return reason(ERROR_PATH_NOT_FOUND);
}

}  // namespace velmora::test
