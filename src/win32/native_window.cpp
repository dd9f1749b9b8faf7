#include "win32/native_window.hpp"

#include <cwchar>

#include "base/error.hpp"
#include "base/handler_guard.hpp"
#include "base/win32_text.hpp"

namespace velmora {

namespace {

const wchar_t* const kWindowClass = L"VelmoraWindow";

void register_window_class(WNDPROC procedure) {
    static const bool registered = [procedure] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof(window_class);
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = instance;
        window_class.hIcon =
            static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        window_class.hIconSm =
            static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0));
        window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        window_class.lpszClassName = kWindowClass;
        return RegisterClassExW(&window_class) != 0;
    }();
    if (!registered) throw Error("Cannot register the window class");
}

}  // namespace

NativeWindow::~NativeWindow() {
    destroy_window();
}

void NativeWindow::destroy_window() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void NativeWindow::create(const wchar_t* caption, DWORD style, DWORD ex_style, HWND owner, int client_width,
                          int client_height) {
    register_window_class(&NativeWindow::window_procedure);
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    CreateWindowExW(ex_style, kWindowClass, caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) throw Error("Cannot create the window: " + system_message(GetLastError()));
}

LRESULT NativeWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                focus_ = GetFocus();
            } else if (focus_ != nullptr && IsChild(window_, focus_)) {
                SetFocus(focus_);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

LRESULT CALLBACK NativeWindow::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    try {
        return self->on_message(message, wparam, lparam);
    } catch (...) {
        report_handler_error(std::current_exception());
        return 0;
    }
}

bool is_program_window(HWND window) {
    wchar_t name[32] = {};
    return window != nullptr && GetClassNameW(window, name, static_cast<int>(std::size(name))) > 0 &&
           std::wcscmp(name, kWindowClass) == 0;
}

}  // namespace velmora
