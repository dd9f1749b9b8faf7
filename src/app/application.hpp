// The application object: a QApplication that catches whatever still escapes an event handler, so an
// exception never unwinds through Qt's event dispatching.
#pragma once

#include <QApplication>

namespace velmora {

class VelmoraApplication : public QApplication {
  public:
    VelmoraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace velmora
