#include "ui/frame_placement.hpp"

#include <QEvent>
#include <QWidget>

namespace velmora {

namespace {

// Watches the window until its frame is known, places it by that frame if the guess was wrong, and goes.
class FramedPlacement : public QObject {
  public:
    FramedPlacement(QWidget& window, std::function<QPoint(QSize)> corner, QSize guessed_frame)
        : QObject(&window), window_(window), corner_(std::move(corner)), guessed_frame_(guessed_frame) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Framing moves the client area into the frame, so the first move after it tells the frame.
        if (watched == &window_ && event->type() == QEvent::Move && !frame_margins(window_).isNull()) {
            const QSize frame = window_.frameGeometry().size();
            if (frame != guessed_frame_) window_.move(corner_(frame));
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    std::function<QPoint(QSize)> corner_;
    QSize guessed_frame_;
};

}  // namespace

QPoint centred_corner(const QRect& area, const QSize& frame) {
    return {area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2};
}

QMargins frame_margins(const QWidget& window) {
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void place_by_frame(QWidget& window, std::function<QPoint(QSize frame)> corner, QMargins guess) {
    const QSize guessed_frame = window.size().grownBy(guess);
    // A window is moved by its frame's corner, also before it has one.
    window.move(corner(guessed_frame));
    new FramedPlacement(window, std::move(corner), guessed_frame);
}

}  // namespace velmora
