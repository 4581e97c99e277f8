#ifdef _WIN32

#include <windows.h>

#include "platform/window.h"
#include "platform/window_geometry.h"

namespace sb {
namespace {

constexpr char kClassName[] = "ScenarioBuilderForm1";
// The program's name: the title of the window and of its message boxes.
constexpr char kTitle[] = "scenario-builder";
constexpr char kLabelText[] = "Attendere";
constexpr char kLabelFont[] = "MS Sans Serif";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK form_procedure(HWND form, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(form, message, wparam, lparam);
}

bool register_form_class(HINSTANCE instance) {
  WNDCLASSA form_class = {};
  form_class.lpfnWndProc = form_procedure;
  form_class.hInstance = instance;
  form_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form_class.lpszClassName = kClassName;
  return RegisterClassA(&form_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Started from Explorer, a console program gets a console of its own: hide
// it, the window says all there is.  Started from a command prompt, the
// console is shared and stays.
void hide_own_console() {
  HWND console = GetConsoleWindow();
  DWORD processes[2];
  if (console != nullptr && GetConsoleProcessList(processes, 2) == 1) {
    ShowWindow(console, SW_HIDE);
  }
}

class Win32Window : public Window {
 public:
  ~Win32Window() override { close(); }

  void show_waiting() override {
    if (form_ != nullptr) return;
    hide_own_console();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!register_form_class(instance)) return;
    const WaitingWindowLayout layout = waiting_window_layout();
    RECT frame = {0, 0, layout.client_width, layout.client_height};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    form_ = CreateWindowExA(0, kClassName, kTitle, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, nullptr);
    if (form_ == nullptr) return;
    font_ = CreateFontA(-layout.font_height, 0, 0, 0, layout.font_weight, FALSE, FALSE, FALSE,
                        ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, kLabelFont);
    HWND label = CreateWindowExA(0, "STATIC", kLabelText, WS_CHILD | WS_VISIBLE | SS_LEFT,
                                 layout.label.left, layout.label.top, layout.label.width,
                                 layout.label.height, form_, nullptr, instance, nullptr);
    if (label != nullptr && font_ != nullptr) {
      SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    ShowWindow(form_, SW_SHOWNORMAL);
    // Paint the form and its label now: no message is dispatched until the
    // program ends.
    RedrawWindow(form_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }

  void show_message(const std::string& text) override {
    MessageBoxA(form_, text.c_str(), kTitle, MB_OK);
  }

  void linger(int seconds) override { linger_ms_ = seconds > 0 ? seconds * 1000 : 0; }

  void close() override {
    if (form_ != nullptr) {
      serve_for(linger_ms_);
      if (IsWindow(form_)) DestroyWindow(form_);
      form_ = nullptr;
    }
    if (font_ != nullptr) {
      DeleteObject(font_);
      font_ = nullptr;
    }
  }

 private:
  // Dispatches the window's messages for `milliseconds`, so that it stays
  // drawn while it is kept on screen after the build.
  static void serve_for(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      Sleep(20);
    }
  }

  HWND form_ = nullptr;
  HFONT font_ = nullptr;
  DWORD linger_ms_ = 0;
};

}  // namespace

std::unique_ptr<Window> make_platform_window(std::ostream&) {
  return std::make_unique<Win32Window>();
}

}  // namespace sb

#endif  // _WIN32
