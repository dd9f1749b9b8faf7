// Windows are placed by their outer frame, title bar and borders included, as the platform places its
// own. A window manager frames a window only once it is shown, and only then is the frame's size known,
// so a window is placed with a guess of its frame first and placed again when its frame is known.
#pragma once

#include <functional>

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace velmora {

// The top-left corner of a frame of the given size centred in `area`.
QPoint centred_corner(const QRect& area, const QSize& frame);

// How far a shown window's frame reaches beyond its client area; none before it is framed.
QMargins frame_margins(const QWidget& window);

// Moves the window's frame to `corner(frame size)`, its frame guessed from the client size and `guess`,
// and moves it once more when the window manager has framed it and the guess was wrong.
void place_by_frame(QWidget& window, std::function<QPoint(QSize frame)> corner, QMargins guess = {});

}  // namespace velmora
