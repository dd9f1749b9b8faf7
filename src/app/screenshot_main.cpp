// Shows both windows as the program does and writes each as a PNG into the folder given as the only
// argument (make screenshot, under a virtual display). It also prints how long the program took from
// its start to the first shown main window.
#include <cstdio>
#include <memory>

#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>

#include "app/application.hpp"
#include "app/startup.hpp"
#include "ui/Unit1.hpp"
#include "ui/Unit2.hpp"

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
    std::printf("start-up to the shown main window: %lld ms\n",
                static_cast<long long>(since_start.elapsed()));

    windows.main_window->grab().save(folder + QStringLiteral("/main_window.png"));
    QTimer::singleShot(200, windows.about_window, [&] {
        windows.about_window->grab().save(folder + QStringLiteral("/about_window.png"));
        windows.about_window->close();
    });
    windows.about_window->show_modally(windows.main_window.get());
    std::printf("screenshots written to %s\n", qPrintable(folder));
    return 0;
}
