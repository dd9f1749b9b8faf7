#include "ui/digit_edit.hpp"

#include <QKeyEvent>

namespace velmora {

namespace {

bool is_typed_character(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

DigitEdit::DigitEdit(QWidget* parent) : QLineEdit(parent) {}

void DigitEdit::keyPressEvent(QKeyEvent* event) {
    if (is_typed_character(*event)) {
        const QString typed = event->text();
        bool digits_only = true;
        for (QChar c : typed) digits_only = digits_only && c >= u'0' && c <= u'9';
        const qsizetype length_after = text().size() - selectedText().size() + typed.size();
        if (!digits_only || length_after > kMaxTypedLength) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace velmora
