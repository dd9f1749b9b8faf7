// What a person meets of the windows beyond their controls: the keys as on the original platform, the
// dialogs' file-type boxes and what they leave behind, the files the program writes, its fonts.
#include <fstream>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFileSystemModel>
#include <QFontInfo>

#include "support/window_test.hpp"
#include "ui/window_fonts.hpp"

namespace velmora::test {
namespace {

QStringList visible_windows() {
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) shown.push_back(window->objectName());
    return shown;
}

TEST_F(WindowTest, EnterPressesTheFocusedButtonInBothWindows) {
    main_window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window()));
    ModalAnswerer answerer;
    bool about_shown = false;
    answerer.then([&](QWidget& about) {
        about_shown = &about == &about_window();
        auto* close = about.findChild<QPushButton*>(QStringLiteral("Button1"));
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
    });
    auto& about_button = control<QPushButton>("Button5");
    about_button.setFocus();
    QTest::keyClick(&about_button, Qt::Key_Return);
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_TRUE(about_shown);
    EXPECT_FALSE(about_window().isVisible());

    // The keypad's Enter too, on the button that has the focus and on no other.
    answerer.then(cancel_dialog());
    auto& choose = control<QPushButton>("Button1");
    choose.setFocus();
    QTest::keyClick(&choose, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(answerer.all_actions_taken());
    EXPECT_TRUE(answerer.boxes().empty());
}

TEST_F(WindowTest, FileTypeBoxesShowTheDescriptionsAndNothingOfADialogStays) {
    TestFolder pictures;
    for (const char* name : {"one.jpg", "only.JPEG", "other.png"})
        std::ofstream(pictures.path() / name) << "x";
    ModalAnswerer answerer;
    QString images_type;
    bool completion_shown = false;
    answerer.then([&](QWidget& modal) {
        auto& dialog = dynamic_cast<QFileDialog&>(modal);
        images_type = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        dialog.setDirectory(QString::fromStdString(pictures.path().string()));
        auto* model = dialog.findChild<QFileSystemModel*>();
        const QModelIndex folder = model->index(QString::fromStdString(pictures.path().string()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) >= 2; }, 2000));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        // Typing the start of a name opens the completion list, which is still open when the dialog
        // takes the choice.
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setFocus();
        QTest::keyClicks(name, "on");
        completion_shown = QTest::qWaitFor([&] { return name->completer()->popup()->isVisible(); }, 2000);
        name->setText(QStringLiteral("one.jpg"));
        static_cast<QDialog&>(dialog).accept();
    });
    click("Button1");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_EQ(images_type, "Files JPG, JPEG");
    EXPECT_TRUE(completion_shown);
    EXPECT_EQ(caption("label_file_count"), "1");
    QTest::qWait(20);
    EXPECT_EQ(visible_windows(), QStringList{"Form1"});

    QString logo_type;
    answerer.then([&](QWidget& modal) {
        logo_type = modal.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        cancel_dialog()(modal);
    });
    click("Button_logo_src");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_EQ(logo_type, "Files PNG");
}

TEST_F(WindowTest, NoConfigurationFileIsWrittenBesideTheHive) {
    ModalAnswerer answerer;
    answerer.then(cancel_dialog());
    answerer.then(cancel_dialog());
    click("Button1");
    click("Button_logo_src");
    ASSERT_TRUE(answerer.all_actions_taken());
    click("Button3");   // the hive, the one file the program keeps
    restart_program();  // the dialogs are destroyed, which is when Qt's would record their history
    windows_ = {};
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(config_folder()))
        if (!entry.is_directory())
            written.push_back(entry.path().lexically_relative(config_folder()).string());
    ASSERT_FALSE(written.empty());
    for (const std::string& file : written) EXPECT_TRUE(file.starts_with("velmora/")) << file;
}

TEST(WindowFonts, AMissingFontIsNamedWithTheOneUsedInItsPlace) {
    const QString missing = QStringLiteral("Velmora Test Face That Is Nowhere");
    QFont wanted(missing);
    wanted.setStyleHint(QFont::SansSerif);
    EXPECT_EQ(register_font(missing, QStringLiteral("/nonexistent/face.ttf")),
              QStringLiteral("velmora: the font %1 is not installed; the windows use %2 in its place")
                  .arg(missing, QFontInfo(wanted).family()));
    EXPECT_EQ(register_window_fonts(), QString());  // Tahoma, from the Wine fonts the build installs
}

}  // namespace
}  // namespace velmora::test
