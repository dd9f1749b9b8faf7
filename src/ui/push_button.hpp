// The windows' push buttons: Enter presses the button that has the focus, as Space does, in the main
// window as in a dialog, and whether or not a button is the window's default.
#pragma once

#include <QPushButton>

namespace velmora {

class PushButton : public QPushButton {
  public:
    PushButton(const QString& caption, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velmora
