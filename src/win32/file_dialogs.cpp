#include "win32/file_dialogs.hpp"

#include <cderr.h>
#include <commdlg.h>

#include "base/error.hpp"

namespace velmora {

namespace {

// Room for the full paths of some thousands of files at once.
constexpr std::size_t kChosenFilesRoom = 1 << 18;

// The dialog's answer: one full path, or the folder followed by the names chosen in it, each ended by
// a null, with one more null at the end.
std::vector<std::filesystem::path> chosen_files(const std::vector<wchar_t>& answer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* part = answer.data(); *part != L'\0'; part += parts.back().size() + 1)
        parts.emplace_back(part);
    if (parts.size() == 1) return {std::filesystem::path(parts.front())};
    std::vector<std::filesystem::path> files;
    for (std::size_t i = 1; i < parts.size(); ++i)
        files.push_back(std::filesystem::path(parts[0]) / parts[i]);
    return files;
}

}  // namespace

OpenFileDialog::OpenFileDialog(std::wstring filter, bool several_files)
    : filter_(std::move(filter)), several_files_(several_files) {
    filter_.push_back(L'\0');  // the list of filters ends with an empty one
}

std::vector<std::filesystem::path> OpenFileDialog::execute(HWND owner) {
    std::vector<wchar_t> answer(kChosenFilesRoom, L'\0');
    last_file_.copy(answer.data(), answer.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter_.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = answer.data();
    dialog.nMaxFile = static_cast<DWORD>(answer.size());
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                   OFN_PATHMUSTEXIST | (several_files_ ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&dialog)) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            throw Error("Too many files were chosen at once; choose fewer files");
        return {};
    }
    std::vector<std::filesystem::path> files = chosen_files(answer);
    last_file_ = files.front().wstring();
    return files;
}

}  // namespace velmora
