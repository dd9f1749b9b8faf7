// The About window: product name, version, what the tool does and a link to the developer's site.
// Created once, hidden on close and shown again as often as asked.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velmora {

class TForm2 : public QDialog {
  public:
    static constexpr int kClientWidth = 345;
    static constexpr int kClientHeight = 219;

    explicit TForm2(QWidget* owner);

    // The creation handler: the site label's hint.
    void FormCreate();
    void Label_developer_siteClick();
    void Button1Click();

    // Shows the window modally and returns when it is closed, however it was closed. The first time it
    // is centred over the given window; after that it shows up where it was last.
    void show_modally(const QWidget* over);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label_developer_site = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Button1 = nullptr;
    bool placed_ = false;
};

}  // namespace velmora
