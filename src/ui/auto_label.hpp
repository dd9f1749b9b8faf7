// The windows' labels without a designed size: each takes the size of its text.
#pragma once

#include <QFont>
#include <QLabel>

#include "ui/window_fonts.hpp"

namespace velmora {

// A label named `name` at (left, top) in `parent`, showing `caption` in `font`, sized to its text.
QLabel* auto_label(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   const QFont& font = window_font());

}  // namespace velmora
