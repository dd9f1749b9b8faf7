// The edit boxes for the width and the insets: what the user types is limited to digits and to five
// characters, while a text set by the program (a load of the settings) stands in full and can still be
// shortened. Pasting is not checked; the batch finds wrong values when it runs.
#pragma once

#include <QLineEdit>

namespace velmora {

class DigitEdit : public QLineEdit {
  public:
    static constexpr int kMaxTypedLength = 5;

    explicit DigitEdit(QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velmora
