// Shows both windows as the program does and writes each as a PNG into the folder given as the only
// argument (make screenshot, under a virtual display). It also prints how long the program took from
// its start to the first shown main window.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include "app/application.hpp"
#include "app/startup.hpp"
#include "ui/Unit1.hpp"
#include "ui/Unit2.hpp"

namespace {

// Milliseconds since the kernel started this process, so the time before main() counts too.
long long milliseconds_since_process_start() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const long long started = std::stoll(field) * 1000 / sysconf(_SC_CLK_TCK);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000 - started;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer since_start;
    since_start.start();
    velmora::VelmoraApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    velmora::prepare_application();
    const velmora::ProgramWindows windows = velmora::create_program_windows();
    windows.main_window->show();
    QApplication::processEvents();
    std::printf("start-up to the shown main window: %lld ms from main(), %lld ms from the process start\n",
                static_cast<long long>(since_start.elapsed()), milliseconds_since_process_start());

    windows.main_window->grab().save(folder + QStringLiteral("/main_window.png"));
    QTimer::singleShot(200, windows.about_window, [&] {
        windows.about_window->grab().save(folder + QStringLiteral("/about_window.png"));
        windows.about_window->close();
    });
    windows.about_window->show_modally(windows.main_window.get());

    // The corner captions and a green status, and the width hint as the screen shows it.
    velmora::TForm1& main_window = *windows.main_window;
    main_window.select_logo_position(5);
    main_window.update_status_elements_for_label_padding();
    main_window.set_status("changes have been saved", velmora::kStatusGreen);
    main_window.set_processed_text("12");
    main_window.grab().save(folder + QStringLiteral("/main_window_bottom_right.png"));
    auto* width = main_window.findChild<QWidget*>(QStringLiteral("picture_width"));
    QToolTip::showText(width->mapToGlobal(QPoint(4, 24)), width->toolTip(), width, {},
                       width->toolTipDuration());
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < 300) QApplication::processEvents();
    const QRect around = main_window.frameGeometry().adjusted(0, 0, 200, 0);
    main_window.screen()
        ->grabWindow(0, around.x(), around.y(), around.width(), around.height())
        .save(folder + QStringLiteral("/width_hint.png"));
    std::printf("screenshots written to %s\n", qPrintable(folder));
    return 0;
}
