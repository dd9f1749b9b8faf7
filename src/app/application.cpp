#include "app/application.hpp"

#include <exception>

#include "app/error_reporting.hpp"

namespace velmora {

VelmoraApplication::VelmoraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VelmoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        report_error(std::current_exception());
        return false;
    }
}

}  // namespace velmora
