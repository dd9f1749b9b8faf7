#include "ui/window_fonts.hpp"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>

namespace velmora {

namespace {

const QString kFamily = QStringLiteral("Tahoma");
const QString kWineTahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");

}  // namespace

QString register_font(const QString& family, const QString& file) {
    if (QFontDatabase::families().contains(family)) return {};
    if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0) return {};
    QFont wanted(family);
    wanted.setStyleHint(QFont::SansSerif);
    return QStringLiteral("velmora: the font %1 is not installed; the windows use %2 in its place")
        .arg(family, QFontInfo(wanted).family());
}

QString register_window_fonts() {
    // Only the regular face: that package's bold face draws no heavier than the regular one at these
    // sizes, while the font engine's own emboldening of the regular face does.
    return register_font(kFamily, kWineTahoma);
}

QFont window_font(int pixel_size, bool bold) {
    QFont font(kFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

}  // namespace velmora
