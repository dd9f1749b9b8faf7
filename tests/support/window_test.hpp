// What the window tests share: the program's windows made as start-up makes them, over an empty
// configuration folder of their own, and an answerer for the modal boxes and dialogs they open.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/startup.hpp"
#include "test_folder.hpp"
#include "ui/Unit1.hpp"
#include "ui/Unit2.hpp"

namespace velmora::test {

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// Watches for modal windows while a test runs: every message box is recorded and answered with OK;
// every other modal window (a file dialog, the About window) gets the next of the queued actions.
class ModalAnswerer {
  public:
    using Action = std::function<void(QWidget&)>;

    ModalAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }

    void then(Action action) { actions_.push_back(std::move(action)); }
    const std::vector<ShownBox>& boxes() const { return boxes_; }
    bool all_actions_taken() const { return actions_.empty(); }

  private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == answering_) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes_.push_back({box->windowTitle(), box->text(), box->icon()});
            answering_ = box;
            box->button(QMessageBox::Ok)->click();
            answering_ = nullptr;
        } else if (!actions_.empty()) {
            Action action = std::move(actions_.front());
            actions_.pop_front();
            answering_ = modal;
            action(*modal);
            answering_ = nullptr;
        }
    }

    QTimer timer_;
    std::deque<Action> actions_;
    std::vector<ShownBox> boxes_;
    QWidget* answering_ = nullptr;
};

// A file dialog answer: the named files of one folder, confirmed; or a cancel.
inline ModalAnswerer::Action choose_files(const std::filesystem::path& folder,
                                          const std::vector<std::string>& names) {
    return [folder, names](QWidget& modal) {
        auto& dialog = dynamic_cast<QFileDialog&>(modal);
        dialog.setDirectory(QString::fromStdString(folder.string()));
        QString typed;
        for (const std::string& name : names)
            typed += QStringLiteral("\"%1\" ").arg(QString::fromStdString(name));
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed.trimmed());
        static_cast<QDialog&>(dialog).accept();  // the file dialog checks and takes the typed names
    };
}

inline ModalAnswerer::Action cancel_dialog() {
    return [](QWidget& modal) { dynamic_cast<QDialog&>(modal).reject(); };
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
        windows_ = create_program_windows();
        main_window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main_window()));
    }

    // Ends the program's windows and starts them again as the next start of the program would.
    void restart_program() {
        windows_ = {};
        windows_ = create_program_windows();
        main_window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main_window()));
    }

    // The current user's hive, written by hand: the settings key with the given value lines.
    void store_settings(const std::string& value_lines) {
        std::filesystem::create_directories(config_folder() / "velmora");
        std::ofstream(config_folder() / "velmora" / "HKEY_CURRENT_USER.reg", std::ios::binary)
            << "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\software\\kt_velmora_v2_en]\r\n"
            << value_lines << "\r\n";
    }

    TForm1& main_window() { return *windows_.main_window; }
    TForm2& about_window() { return *windows_.about_window; }

    template <class Widget>
    Widget& control(const char* name) {
        auto* found = windows_.main_window->findChild<Widget*>(QString::fromUtf8(name));
        if (found == nullptr) throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    QString caption(const char* name) { return control<QLabel>(name).text(); }
    bool enabled(const char* name) { return control<QWidget>(name).isEnabled(); }
    void click(const char* name) { QTest::mouseClick(&control<QPushButton>(name), Qt::LeftButton); }

    const std::filesystem::path& config_folder() const { return config_.path(); }

    TestFolder config_;
    ProgramWindows windows_;
};

}  // namespace velmora::test
