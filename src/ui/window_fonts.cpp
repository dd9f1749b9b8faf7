#include "ui/window_fonts.hpp"

#include <QFile>
#include <QFontDatabase>

namespace velmora {

namespace {

const QString kFamily = QStringLiteral("Tahoma");

}  // namespace

void register_window_fonts() {
    if (QFontDatabase::families().contains(kFamily)) return;
    // Only the regular face: that package's bold face draws no heavier than the regular one at these
    // sizes, while the font engine's own emboldening of the regular face does.
    const QString regular = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (QFile::exists(regular)) QFontDatabase::addApplicationFont(regular);
}

QFont window_font(int pixel_size, bool bold) {
    QFont font(kFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

}  // namespace velmora
