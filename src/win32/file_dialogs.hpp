// The open-file dialogs the main window keeps: the system's dialog with a filter, for one file or several,
// the read-only box hidden, resizable, with the platform's title and starting folder. A dialog keeps the
// last chosen file name and offers it when it opens again.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

class OpenFileDialog {
  public:
    // `filter` as the system takes it: description and patterns, each ended by a null.
    OpenFileDialog(std::wstring filter, bool several_files);

    // Shows the dialog modally over `owner`; the chosen files with their full paths, in the dialog's
    // order, or none when the user cancelled.
    std::vector<std::filesystem::path> execute(HWND owner);

  private:
    std::wstring filter_;
    bool several_files_;
    std::wstring last_file_;
};

}  // namespace velmora
