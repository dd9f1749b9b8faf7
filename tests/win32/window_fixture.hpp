// What the tests of the native windows share: the program's windows made as start-up makes them, over
// a settings key of their own, helpers that work the controls by the messages the system would send,
// and an answerer for the modal boxes and dialogs they open.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "win32/Unit1.hpp"
#include "win32/Unit2.hpp"
#include "win32/startup.hpp"

namespace velmora::test {

struct ShownBox {
    std::string title;
    std::string text;
    HICON icon = nullptr;
};

// Watches for modal windows while a test runs, from a timer of the thread that every modal loop
// dispatches: every message box is recorded and answered with OK; every other modal window (a file
// dialog, the About window) gets the next of the queued actions.
class ModalAnswerer {
  public:
    using Action = std::function<void(HWND)>;

    ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;
    ~ModalAnswerer();

    void then(Action action) { actions_.push_back(std::move(action)); }
    const std::vector<ShownBox>& boxes() const { return boxes_; }
    bool all_actions_taken() const { return actions_.empty(); }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void answer(HWND modal);

    UINT_PTR timer_ = 0;
    std::deque<Action> actions_;
    std::vector<ShownBox> boxes_;
    HWND answered_ = nullptr;  // the box or dialog last answered, until it has gone
};

// A file dialog answer: the named files of one folder, confirmed; or a cancel.
ModalAnswerer::Action choose_files(const std::filesystem::path& folder,
                                   const std::vector<std::string>& names);
ModalAnswerer::Action cancel_dialog();

// Handles what is waiting in the queue, as the message loop would between two events.
void pump();

std::string text_of(HWND window);
RECT place_of(HWND control);        // relative to the parent's client area
RECT client_place_of(HWND window);  // the client area on the screen
// Sends the characters as typed keys (WM_CHAR), after selecting the whole text.
void type_over(HWND edit, const std::wstring& typed);
// The tool tip control that the window owns, which shows the hints of its controls, and the hint it
// shows for one of them.
HWND tooltip_of(HWND owner);
std::string hint_of(HWND tooltip, HWND owner, HWND control);
// Picks an item of a drop-down box as the user does: the selection, then the box's notification.
void pick(HWND combo_box, int index);

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { windows_ = {}; }

    // Ends the program's windows and starts them again as the next start of the program would.
    void restart_program();
    // Writes a value into the settings key, as a user with the registry editor would.
    void store_setting(const wchar_t* name, DWORD type, const void* data, DWORD size);

    TForm1& main_window() { return *windows_.main_window; }
    TForm2& about_window() { return *windows_.about_window; }
    HWND control(const char* name);
    std::string caption(const char* name) { return text_of(control(name)); }
    bool enabled(const char* name) { return IsWindowEnabled(control(name)) != FALSE; }
    void click(const char* name) { SendMessageW(control(name), BM_CLICK, 0, 0); }
    // The colour the window gives the control's text when the control asks before painting.
    COLORREF text_colour(const char* name);

    ProgramWindows windows_;
};

}  // namespace velmora::test
