#include "ui/file_dialogs.hpp"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>

namespace velmora {

QFileDialog* make_open_dialog(QWidget* owner, const char* name, const QString& filter,
                              QFileDialog::FileMode mode) {
    auto* dialog = new QFileDialog(owner, QString(), QString(), filter);
    dialog->setObjectName(QString::fromUtf8(name));
    dialog->setFileMode(mode);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    return dialog;
}

bool run_open_dialog(QFileDialog& dialog) {
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    // The file-name box's completion list is a window of its own: left open when the dialog closes, it
    // would stay over the main window and take the next click.
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (QCompleter* completer = edit->completer()) completer->popup()->hide();
    }
    return confirmed;
}

}  // namespace velmora
