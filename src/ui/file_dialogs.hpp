// The open-file dialogs the main window keeps. Their file-type box shows each filter's description
// alone, without the patterns (which still choose the files, whatever their case), and nothing of a
// dialog stays on the screen once it has closed.
#pragma once

#include <QFileDialog>

namespace velmora {

// A dialog owned by `owner` that opens existing files, one or several by `mode`; the platform's title and
// starting folder. `filter` is a description with its patterns in parentheses.
QFileDialog* make_open_dialog(QWidget* owner, const char* name, const QString& filter,
                              QFileDialog::FileMode mode);

// Shows the dialog modally and answers whether the user confirmed a choice.
bool run_open_dialog(QFileDialog& dialog);

}  // namespace velmora
