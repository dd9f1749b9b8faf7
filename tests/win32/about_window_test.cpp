// The About window: modal over the main window, hidden and not destroyed when closed, shown again where
// it was left.
#include "resources/program_identity.hpp"
#include "window_fixture.hpp"

namespace velmora::test {
namespace {

struct SeenWhileShown {
    bool visible = false;
    bool main_window_enabled = true;
    RECT frame{};
    std::string close_caption;
    bool close_has_focus = false;
};

// Looks at the shown About window, then closes it the way `close` says.
ModalAnswerer::Action look_and_close(TForm2& about, SeenWhileShown& seen, std::function<void(HWND)> close) {
    return [&about, &seen, close = std::move(close)](HWND modal) {
        EXPECT_EQ(modal, about.handle());
        seen.visible = IsWindowVisible(modal) != FALSE;
        seen.main_window_enabled = IsWindowEnabled(GetWindow(modal, GW_OWNER)) != FALSE;
        GetWindowRect(modal, &seen.frame);
        seen.close_caption = text_of(about.control("Button1"));
        seen.close_has_focus = GetFocus() == about.control("Button1");
        close(modal);
    };
}

TEST_F(WindowTest, AboutWindowOpensModallyTwiceAndStaysWhereItWasLeft) {
    ModalAnswerer answerer;
    SeenWhileShown first;
    answerer.then(look_and_close(about_window(), first, [this](HWND) {
        SendMessageW(about_window().control("Button1"), BM_CLICK, 0, 0);
    }));
    click("Button5");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_TRUE(first.visible);
    EXPECT_FALSE(first.main_window_enabled);
    EXPECT_EQ(first.close_caption, "Close");
    EXPECT_TRUE(first.close_has_focus);
    // Centred over the main window the first time.
    RECT main_frame{};
    GetWindowRect(main_window().handle(), &main_frame);
    EXPECT_NEAR(first.frame.left + first.frame.right, main_frame.left + main_frame.right, 1);
    EXPECT_NEAR(first.frame.top + first.frame.bottom, main_frame.top + main_frame.bottom, 1);
    // Hidden, not destroyed; the main window takes input again.
    EXPECT_TRUE(IsWindow(about_window().handle()));
    EXPECT_FALSE(IsWindowVisible(about_window().handle()));
    EXPECT_TRUE(IsWindowEnabled(main_window().handle()));

    // The main window moved, the About window shows up where it was, and the close box closes it too.
    SetWindowPos(main_window().handle(), nullptr, main_frame.left + 40, main_frame.top + 30, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    SeenWhileShown second;
    answerer.then(look_and_close(about_window(), second,
                                 [](HWND modal) { PostMessageW(modal, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    click("Button5");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_TRUE(second.visible);
    EXPECT_EQ(second.frame.left, first.frame.left);
    EXPECT_EQ(second.frame.top, first.frame.top);
    EXPECT_FALSE(IsWindowVisible(about_window().handle()));
    EXPECT_TRUE(answerer.boxes().empty());
}

TEST_F(WindowTest, AboutWindowShowsTheProductAndTheSite) {
    TForm2& about = about_window();
    RECT client{};
    GetClientRect(about.handle(), &client);
    EXPECT_EQ(client.right, 345);
    EXPECT_EQ(client.bottom, 219);
    EXPECT_EQ(text_of(about.handle()), "About Velmora");
    EXPECT_EQ(GetWindow(about.handle(), GW_OWNER), main_window().handle());
    const LONG style = GetWindowLongW(about.handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(text_of(about.control("Label1")), "About Velmora");
    EXPECT_EQ(text_of(about.control("Label3")), "2");
    EXPECT_EQ(text_of(about.control("Label_developer_site")), kDeveloperSite);
    EXPECT_EQ(hint_of(tooltip_of(about.handle()), about.handle(), about.control("Label_developer_site")),
              std::string("Visit website ") + kDeveloperSite);
    SendMessageW(about.handle(), WM_SETCURSOR,
                 reinterpret_cast<WPARAM>(about.control("Label_developer_site")),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    const RECT close = place_of(about.control("Button1"));
    EXPECT_EQ(close.left, 93);
    EXPECT_EQ(close.top, 177);
    EXPECT_EQ(close.right - close.left, 158);
    EXPECT_EQ(close.bottom - close.top, 25);
    const RECT title = place_of(about.control("Label1"));
    EXPECT_EQ(title.left, 8);
    EXPECT_EQ(title.top, 18);
    EXPECT_EQ(title.right - title.left, 329);
}

}  // namespace
}  // namespace velmora::test
