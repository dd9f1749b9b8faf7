#include "app/startup.hpp"

#include <cstdio>
#include <cstdlib>

#include <QIcon>

#include "app/application.hpp"
#include "app/error_reporting.hpp"
#include "resources/program_identity.hpp"
#include "ui/Unit1.hpp"
#include "ui/Unit2.hpp"
#include "ui/handler_guard.hpp"
#include "ui/window_fonts.hpp"

namespace velmora {

namespace {

QtMessageHandler qt_default_handler = nullptr;

// While the application object is being made, a platform that cannot start (no display) makes Qt
// report a fatal message and abort; the message is Qt's own, but the program then ends with a plain
// failure status instead of dumping core.
void exit_on_fatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    qt_default_handler(type == QtFatalMsg ? QtCriticalMsg : type, context, message);
    if (type == QtFatalMsg) std::_Exit(EXIT_FAILURE);
}

}  // namespace

void prepare_application() {
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QIcon icon;
    for (int size : kIconSizes) icon.addFile(QStringLiteral(":/icons/velmora-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    set_handler_error_reporter(report_error);
    register_window_fonts();
    QApplication::setFont(window_font());
}

ProgramWindows create_program_windows() {
    ProgramWindows windows;
    windows.main_window = std::make_unique<TForm1>();
    run_reporting_errors([&] { windows.main_window->FormCreate(); });
    windows.about_window = new TForm2(windows.main_window.get());
    run_reporting_errors([&] { windows.about_window->FormCreate(); });
    windows.main_window->set_about_window(windows.about_window);
    return windows;
}

int run_program(int& argc, char** argv) {
    qt_default_handler = qInstallMessageHandler(exit_on_fatal);
    VelmoraApplication application(argc, argv);
    qInstallMessageHandler(qt_default_handler);
    try {
        prepare_application();
        const ProgramWindows windows = create_program_windows();
        windows.main_window->show();
        return QApplication::exec();
    } catch (...) {
        report_error(std::current_exception());
        return EXIT_FAILURE;
    }
}

}  // namespace velmora
