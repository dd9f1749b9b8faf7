// The quality track bar: a horizontal slider whose keys move it as the platform's track bar does. Left
// and Up move one step towards the minimum, Right and Down one step towards the maximum; Page Up and
// Page Down move a page the same ways; Home and End go to the ends.
#pragma once

#include <QSlider>

namespace velmora {

class TrackBar : public QSlider {
  public:
    explicit TrackBar(QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velmora
