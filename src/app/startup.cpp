#include "app/startup.hpp"

#include <cstdio>
#include <cstdlib>

#include <QIcon>
#include <QSettings>

#include "app/application.hpp"
#include "app/error_reporting.hpp"
#include "base/handler_guard.hpp"
#include "base/page_advice.hpp"
#include "resources/program_identity.hpp"
#include "ui/Unit1.hpp"
#include "ui/Unit2.hpp"
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
    // No display name: the platform would append it to every window's title that does not end in it.
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    // Qt's own file dialogs keep their history in a settings file of Qt's; the program keeps nothing of
    // its own beyond the hive, so the user's settings files of Qt lead nowhere, neither read nor written.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
    QIcon icon;
    for (int size : kIconSizes) icon.addFile(QStringLiteral(":/icons/velmora-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    set_handler_error_reporter(report_error);
    const QString font_notice = register_window_fonts();
    if (!font_notice.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(font_notice));
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

int run_program(int argc, char** argv) {
    keep_freed_blocks();
    // The program takes no command line: Qt sees only the program's name, so that none of its own options
    // (-style, -reverse, -platform, ...) is read from what the program was started with.
    static char fallback_name[] = "velmora";
    int qt_argc = 1;
    char* qt_argv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallback_name, nullptr};
    qt_default_handler = qInstallMessageHandler(exit_on_fatal);
    VelmoraApplication application(qt_argc, qt_argv);
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
