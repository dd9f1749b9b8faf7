#include "app/error_reporting.hpp"

#include <QApplication>
#include <QMessageBox>

#include "base/error_text.hpp"
#include "ui/display_text.hpp"

namespace velmora {

void report_error(const std::exception_ptr& error) noexcept {
    if (!error || is_abort(error)) return;
    try {
        QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                        display_text(error_box_text(error_message(error))), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    } catch (...) {
        // Nothing is left to show the failure with; the program goes on.
    }
}

}  // namespace velmora
