#include "ui/auto_label.hpp"

namespace velmora {

QLabel* auto_label(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   const QFont& font) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setFont(font);
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace velmora
