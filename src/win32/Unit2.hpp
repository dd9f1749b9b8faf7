// The About window as a native Win32 window: product name, version, what the tool does and a link to the
// developer's site. Created once, hidden on close and shown again as often as asked.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/hints.hpp"
#include "win32/native_window.hpp"

namespace velmora {

class TForm2 : public NativeWindow {
  public:
    static constexpr int kClientWidth = 345;
    static constexpr int kClientHeight = 219;

    // Makes the window, hidden, owned by `owner`.
    explicit TForm2(HWND owner);
    ~TForm2() override;

    // The creation handler: the site label's hint.
    void FormCreate();
    void Label_developer_siteClick();
    void Button1Click();

    // Shows the window modally over `over`, which takes no input meanwhile, and returns when it is
    // closed, however it was closed. The first time it is centred over `over` (never further left or
    // higher than the desktop's corner); after that it shows up where it was last.
    void show_modally(HWND over);

    // The control of that design name, or null: for the tests and the screenshot tool.
    HWND control(std::string_view name) const;

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    HWND named(const char* name, HWND control);

    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND Label3 = nullptr;
    HWND Label4 = nullptr;
    HWND Label_developer_site = nullptr;
    HWND Label6 = nullptr;
    HWND Button1 = nullptr;
    Hints hints_;
    std::vector<std::pair<std::string, HWND>> names_;
    bool placed_ = false;
    bool shown_ = false;  // set while the window is shown modally
};

}  // namespace velmora
