// Texts between the core (UTF-8, lines separated by carriage returns) and the widgets (QString, lines
// separated by line feeds).
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace velmora {

// The text as a widget shows it: every carriage return, alone or followed by a line feed, becomes one
// line break, so "a\r\rb" shows an empty line between a and b.
QString display_text(std::string_view text);

inline std::string core_text(const QString& text) {
    return text.toStdString();
}

}  // namespace velmora
