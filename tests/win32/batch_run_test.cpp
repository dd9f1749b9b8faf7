// Runs of the batch started from the window: the whole road with a logo, the refusals, the settings kept
// between two starts, and the errors that end in the "Velmora" box.
#include <windows.h>

#include <commctrl.h>

#include "base/win32_text.hpp"
#include "support/platform_support.hpp"
#include "support/test_folder.hpp"
#include "support/whole_file.hpp"
#include "window_fixture.hpp"

namespace velmora::test {
namespace {

const std::filesystem::path kData = VELMORA_TEST_DATA_DIR;
const char* const kFolderName = "08.12.2026 0-15-21";

// The main window with the program's folder, the date and the time pinned; it closes itself when the
// running number `close_at` is shown.
class PinnedForm1 : public TForm1 {
  public:
    explicit PinnedForm1(std::filesystem::path program_folder) : program_folder_(std::move(program_folder)) {}

    std::filesystem::path program_folder() override { return program_folder_; }
    std::string short_date_text() override { return "08.12.2026"; }
    std::string long_time_text() override { return "0:15:21"; }
    void set_processed_text(const std::string& text) override {
        TForm1::set_processed_text(text);
        if (text == close_at) PostMessageW(handle(), WM_CLOSE, 0, 0);
    }

    std::string close_at;

  private:
    std::filesystem::path program_folder_;
};

class BatchWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        window_.FormCreate();
        ShowWindow(window_.handle(), SW_SHOWNORMAL);
        pump();
    }

    HWND part(const char* name) { return window_.control(name); }
    void choose(const std::vector<std::string>& names) {
        answerer_.then(choose_files(pictures_.path(), names));
        SendMessageW(part("Button1"), BM_CLICK, 0, 0);
        ASSERT_TRUE(answerer_.all_actions_taken());
    }
    void run() { SendMessageW(part("Button_start_photo_processing"), BM_CLICK, 0, 0); }
    std::filesystem::path output_folder() const { return program_.path() / kFolderName; }

    TestFolder program_;
    TestFolder pictures_;
    PinnedForm1 window_{program_.path()};
    ModalAnswerer answerer_;
};

TEST_F(BatchWindowTest, WholeRunWithALogoWritesTheDriversBytes) {
    std::filesystem::copy_file(kData / "jpeg/testorig.jpg", pictures_.path() / "first photo.jpg");
    std::filesystem::copy_file(kData / "jpeg/testorig_progressive.jpg",
                               pictures_.path() / L"другое фото.JPG");
    choose({"first photo.jpg", "другое фото.JPG"});
    EXPECT_EQ(text_of(part("label_file_count")), "2");

    SetWindowTextW(part("picture_width"), L"100");
    const std::filesystem::path logo = kData / "pngsuite/basn6a08.png";
    SetWindowTextW(part("edit_logo_src"), logo.wstring().c_str());
    pick(part("ComboBox_logo_position"), 5);
    SetWindowTextW(part("logo_padding_horizontal"), L"4");
    SetWindowTextW(part("logo_padding_vertical"), L"3");
    SendMessageW(part("picture_quality"), TBM_SETPOS, TRUE, 80);
    run();

    ASSERT_EQ(answerer_.boxes().size(), 1u);
    EXPECT_EQ(answerer_.boxes()[0].title, "Information");
    EXPECT_EQ(answerer_.boxes()[0].icon, LoadIconW(nullptr, IDI_INFORMATION));
    EXPECT_EQ(answerer_.boxes()[0].text,
              "All images were processed.\r\n\r\nProcessed images are in the folder " +
                  utf8_of_wide(output_folder().wstring()));
    EXPECT_EQ(text_of(part("label_file_processed")), "2");
    EXPECT_EQ(text_of(part("Label_program_status")), "processing is completed");
    EXPECT_TRUE(IsWindowEnabled(part("Button_start_photo_processing")));
    EXPECT_EQ(text_of(part("Button_start_photo_processing")), "Run process");

    // The driver, given the same photographs, logo and settings, writes the same bytes.
    TestFolder driven;
    const std::filesystem::path driver = std::filesystem::path(VELMORA_BINARY_DIR) / "velmora-batch.exe";
    const std::string command = test::shell_quoted(driver) + " --width 100 --quality 80 --logo " +
                                test::shell_quoted(logo) + " --position 5 --inset-h 4 --inset-v 3 --into " +
                                test::shell_quoted(driven.path()) + " " +
                                test::shell_quoted(pictures_.path() / "first photo.jpg") + " " +
                                test::shell_quoted(pictures_.path() / L"другое фото.JPG") + " >NUL";
    ASSERT_EQ(test::run_command(command), 0);
    const std::filesystem::path driven_folder = std::filesystem::directory_iterator(driven.path())->path();
    for (const char* name : {"1.jpg", "2.jpg"}) {
        const std::vector<std::uint8_t> written = read_bytes(output_folder() / name);
        EXPECT_GT(written.size(), 1000u) << name;
        EXPECT_TRUE(written == read_bytes(driven_folder / name)) << name;
    }
}

TEST_F(BatchWindowTest, RunRefusesAZeroWidthAndAnEmptySelection) {
    run();  // the width is "0" at first start
    SetWindowTextW(part("picture_width"), L"100");
    run();  // nothing chosen
    ASSERT_EQ(answerer_.boxes().size(), 2u);
    EXPECT_EQ(answerer_.boxes()[0].title, "Error");
    EXPECT_EQ(answerer_.boxes()[0].icon, LoadIconW(nullptr, IDI_ERROR));
    EXPECT_EQ(
        answerer_.boxes()[0].text,
        "You need to set the width of images.\r\nPlease enter the width of images.\r\nThe value must be "
        "greater than zero.");
    EXPECT_EQ(answerer_.boxes()[1].text, "Images not selected. Select the files to process");
    EXPECT_FALSE(std::filesystem::exists(output_folder()));
    EXPECT_EQ(text_of(part("Label_program_status")), "empty");
    EXPECT_TRUE(IsWindowEnabled(part("Button_start_photo_processing")));
}

TEST_F(BatchWindowTest, ClosingTheWindowDuringARunEndsItSilently) {
    for (const wchar_t* name : {L"1.jpg", L"2.jpg", L"3.jpg"})
        std::filesystem::copy_file(kData / "jpeg/testorig.jpg", pictures_.path() / name);
    choose({"1.jpg", "2.jpg", "3.jpg"});
    SetWindowTextW(part("picture_width"), L"50");
    window_.close_at = "2";
    run();
    EXPECT_TRUE(answerer_.boxes().empty());
    EXPECT_FALSE(IsWindowVisible(window_.handle()));
    EXPECT_TRUE(std::filesystem::exists(output_folder() / "1.jpg"));
    EXPECT_FALSE(std::filesystem::exists(output_folder() / "3.jpg"));
    // The request to end the program waits for the message loop.
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WindowTest, SavedSettingsComeBackAtTheNextStart) {
    ModalAnswerer answerer;
    SetWindowTextW(control("picture_width"), L"640");
    pick(control("ComboBox_logo_position"), 5);
    SendMessageW(control("picture_quality"), TBM_SETPOS, TRUE, 33);
    SetWindowTextW(control("edit_logo_src"), L"C:\\logos\\знак.png");
    click("Button3");
    EXPECT_EQ(caption("Label_program_status"), "changes have been saved");

    restart_program();
    EXPECT_EQ(caption("picture_width"), "640");
    EXPECT_EQ(main_window().logo_position_index(), 5);
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 33%");
    EXPECT_EQ(caption("edit_logo_src"), "C:\\logos\\знак.png");
    EXPECT_EQ(caption("label_logo_padding_horizontal_1"), "Right inset:");
    EXPECT_EQ(caption("label_logo_padding_vertical_1"), "Bottom inset:");
    EXPECT_TRUE(answerer.boxes().empty());
}

TEST_F(WindowTest, AWronglyTypedSettingShowsTheVelmoraBoxAndTheWindowStillComes) {
    const DWORD number = 90;
    store_setting(L"photo_width", REG_SZ, L"320", 8);
    store_setting(L"photo_quality", REG_DWORD, &number, sizeof(number));
    ModalAnswerer answerer;
    restart_program();
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].title, "Velmora");
    EXPECT_EQ(answerer.boxes()[0].icon, LoadIconW(nullptr, IDI_ERROR));
    EXPECT_EQ(answerer.boxes()[0].text, "Invalid data type for 'photo_quality'");
    // The values before it were applied, and the window is there and shown.
    EXPECT_EQ(caption("picture_width"), "320");
    EXPECT_EQ(caption("label_image_quality"), "Image quality: 50%");
    EXPECT_TRUE(IsWindowVisible(main_window().handle()));
}

}  // namespace
}  // namespace velmora::test
