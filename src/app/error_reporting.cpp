#include "app/error_reporting.hpp"

#include <new>

#include <QApplication>
#include <QMessageBox>

#include "base/error.hpp"
#include "ui/display_text.hpp"

namespace velmora {

namespace {

constexpr char16_t kFullStop = u'.';

// The message of an error as the user reads it; errors without a message of their own still say
// what kind of failure they were.
QString message_of(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception& failure) {
        return display_text(failure.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

bool is_abort(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Abort&) {
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

QString error_box_text(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > kFullStop) return message + QChar(kFullStop);
    return message;
}

void report_error(const std::exception_ptr& error) noexcept {
    if (!error || is_abort(error)) return;
    try {
        QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                        error_box_text(message_of(error)), QMessageBox::Ok, QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    } catch (...) {
        // Nothing is left to show the failure with; the program goes on.
    }
}

}  // namespace velmora
