// Runs of the batch started from the window.

#include <fstream>

#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>

#include "base/file_io.hpp"
#include "support/window_test.hpp"

namespace velmora::test {
namespace {

const std::filesystem::path kData = VELMORA_TEST_DATA_DIR;
const char* const kFolderName = "08.12.2026 0-15-21";

// The main window with its environment pinned: the program's folder, the date and the time, and a
// record of what the run showed at each running number and of the events handled between them.
class PinnedForm1 : public TForm1 {
  public:
    explicit PinnedForm1(std::filesystem::path program_folder) : program_folder_(std::move(program_folder)) {}

    std::filesystem::path program_folder() override { return program_folder_; }
    std::string short_date_text() override { return "08.12.2026"; }
    std::string long_time_text() override { return "0:15:21"; }

    void pump_messages() override {
        ++pumps_;
        TForm1::pump_messages();
    }

    void set_processed_text(const std::string& text) override {
        if (text != "1") events.push_back(std::to_string(pumps_) + " pumps");
        pumps_ = 0;
        TForm1::set_processed_text(text);
        const auto* status = findChild<QLabel*>(QStringLiteral("Label_program_status"));
        const auto* run = findChild<QPushButton*>(QStringLiteral("Button_start_photo_processing"));
        events.push_back("picture " + text + ": " + status->text().toStdString() + ", " +
                         run->text().toStdString() + (run->isEnabled() ? " enabled" : " disabled"));
        // Stands for a repaint or a click waiting in the queue: it must be handled before the next picture.
        QTimer::singleShot(0, this, [this] { events.push_back("event handled"); });
        if (close_at == text) close();
    }

    std::vector<std::string> events;
    std::string close_at;  // closes the window when this running number is shown

  private:
    std::filesystem::path program_folder_;
    int pumps_ = 0;
};

class BatchWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
        window_.FormCreate();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Copies the named test pictures into the pictures folder under new names, and returns the paths.
    std::vector<std::string> pictures(const std::vector<std::pair<std::string, std::string>>& copies) {
        std::vector<std::string> names;
        for (const auto& [source, name] : copies) {
            std::filesystem::copy_file(kData / source, pictures_.path() / path_from_utf8(name));
            names.push_back(name);
        }
        return names;
    }

    void choose(const std::vector<std::string>& names) {
        answerer_.then(choose_files(pictures_.path(), names));
        QTest::mouseClick(window_.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        ASSERT_TRUE(answerer_.all_actions_taken());
    }

    void set_width(const char* text) {
        auto* width = window_.findChild<QLineEdit*>(QStringLiteral("picture_width"));
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, text);
    }

    void run() {
        QTest::mouseClick(window_.findChild<QPushButton*>(QStringLiteral("Button_start_photo_processing")),
                          Qt::LeftButton);
    }

    QString caption(const char* name) { return window_.findChild<QLabel*>(QString::fromUtf8(name))->text(); }
    std::filesystem::path output_folder() const { return program_.path() / kFolderName; }

    TestFolder config_;
    TestFolder program_;
    TestFolder pictures_;
    PinnedForm1 window_{program_.path()};
    ModalAnswerer answerer_;
};

TEST_F(BatchWindowTest, WholeRunWithALogoFollowsInTheWindow) {
    const std::vector<std::string> names = pictures({{"jpeg/testorig.jpg", "first photo.jpg"},
                                                     {"jpeg/testimgint.jpg", "другое фото.JPG"},
                                                     {"jpeg/testorig.jpg", "third.jpeg"}});
    choose(names);
    set_width("100");
    window_.set_logo_path_text((kData / "pngsuite/basn6a08.png").string());
    window_.select_logo_position(5);
    run();

    ASSERT_EQ(answerer_.boxes().size(), 1u);
    EXPECT_EQ(answerer_.boxes()[0].title, "Information");
    EXPECT_EQ(answerer_.boxes()[0].text.toStdString(),
              "All images were processed.\n\nProcessed images are in the folder " + output_folder().string());
    // Between two pictures the window handles its queue after the running number, after scaling, after
    // the logo and before the next picture, and what was queued is handled by then.
    const std::vector<std::string> expected_events = {
        "picture 1: processing occurs images, Processing... disabled", "event handled", "4 pumps",
        "picture 2: processing occurs images, Processing... disabled", "event handled", "4 pumps",
        "picture 3: processing occurs images, Processing... disabled", "event handled"};
    EXPECT_EQ(window_.events, expected_events);
    EXPECT_EQ(caption("label_file_processed"), "3");
    EXPECT_EQ(caption("Label_program_status"), "processing is completed");
    for (int number = 1; number <= 3; ++number) {
        const std::filesystem::path output = output_folder() / (std::to_string(number) + ".jpg");
        ASSERT_TRUE(std::filesystem::exists(output)) << output;
        EXPECT_EQ(QImageReader(QString::fromStdString(output.string())).size().width(), 100) << output;
    }
    auto* button = window_.findChild<QPushButton*>(QStringLiteral("Button_start_photo_processing"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), "Run process");
}

TEST_F(BatchWindowTest, RunFailingAtTheThirdPictureLeavesTheTwoBefore) {
    std::ofstream(pictures_.path() / "broken.jpg") << "this is no JPEG";
    std::vector<std::string> names = pictures({{"jpeg/testorig.jpg", "1.jpg"},
                                               {"jpeg/testorig.jpg", "2.jpg"},
                                               {"jpeg/testorig.jpg", "4.jpg"},
                                               {"jpeg/testorig.jpg", "5.jpg"}});
    names.insert(names.begin() + 2, "broken.jpg");
    choose(names);
    set_width("50");
    run();

    ASSERT_EQ(answerer_.boxes().size(), 1u);
    EXPECT_EQ(answerer_.boxes()[0].title, "Velmora");
    EXPECT_EQ(answerer_.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(answerer_.boxes()[0].text.isEmpty());
    EXPECT_TRUE(std::filesystem::exists(output_folder() / "1.jpg"));
    EXPECT_TRUE(std::filesystem::exists(output_folder() / "2.jpg"));
    EXPECT_FALSE(std::filesystem::exists(output_folder() / "3.jpg"));
    EXPECT_FALSE(std::filesystem::exists(output_folder() / "4.jpg"));
    EXPECT_EQ(caption("label_file_processed"), "3");
    EXPECT_EQ(caption("Label_program_status"), "processing occurs images");
    auto* button = window_.findChild<QPushButton*>(QStringLiteral("Button_start_photo_processing"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), "Run process");
}

TEST_F(BatchWindowTest, RunRefusesAZeroWidthAndAnEmptySelection) {
    run();  // the design width "0"
    set_width("100");
    run();  // nothing chosen yet
    ASSERT_EQ(answerer_.boxes().size(), 2u);
    EXPECT_EQ(answerer_.boxes()[0].title, "Error");
    EXPECT_EQ(
        answerer_.boxes()[0].text,
        "You need to set the width of images.\nPlease enter the width of images.\nThe value must be greater "
        "than zero.");
    EXPECT_EQ(answerer_.boxes()[1].title, "Error");
    EXPECT_EQ(answerer_.boxes()[1].text, "Images not selected. Select the files to process");
    EXPECT_FALSE(std::filesystem::exists(output_folder()));
    EXPECT_EQ(caption("Label_program_status"), "empty");
    EXPECT_TRUE(
        window_.findChild<QPushButton*>(QStringLiteral("Button_start_photo_processing"))->isEnabled());
}

TEST_F(BatchWindowTest, ClosingTheWindowDuringARunEndsItSilently) {
    choose(pictures(
        {{"jpeg/testorig.jpg", "a.jpg"}, {"jpeg/testorig.jpg", "b.jpg"}, {"jpeg/testorig.jpg", "c.jpg"}}));
    set_width("60");
    window_.close_at = "2";
    run();
    EXPECT_TRUE(answerer_.boxes().empty());
    EXPECT_FALSE(window_.isVisible());
    EXPECT_TRUE(std::filesystem::exists(output_folder() / "1.jpg"));
    EXPECT_FALSE(std::filesystem::exists(output_folder() / "3.jpg"));
    EXPECT_EQ(caption("label_file_processed"), "2");
}

}  // namespace
}  // namespace velmora::test
