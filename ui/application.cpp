#include "ui/application.h"

#include "base/ansi_path.h"
#include "platform/lead_byte.h"

namespace ui {
namespace {

class WinHelpViewer final : public HelpViewer {
 public:
  void ShowContext(const std::string& helpFile, int context) override {
    WinHelpA(nullptr, helpFile.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
  }
};

}  // namespace

Application& Application::Get() {
  static Application application;
  return application;
}

void Application::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (onHint_) onHint_();
}

void Application::HelpContext(int context) {
  static WinHelpViewer system;
  (helpViewer_ ? helpViewer_ : &system)->ShowContext(helpFile_, context);
}

void Application::ShowException(HWND window, const std::exception* error) {
  const std::string message = error ? error->what() : "";
  MessageBoxA(window, message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

bool Guarded(HWND window, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const std::exception& e) {
    Application::Get().ShowException(window, &e);
  } catch (...) {
    Application::Get().ShowException(window, nullptr);
  }
  return false;
}

HWND RootWindow(HWND window) {
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
    HWND parent = GetParent(window);
    if (!parent) break;
    window = parent;
  }
  return window;
}

// The bar is searched for with double-byte characters taken whole ("ポ" is 83 7C).
std::string ShortHint(const std::string& hint) {
  const size_t bar = base::FindChar(hint, '|', platform::IsSystemLeadByte);
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string LongHint(const std::string& hint) {
  const size_t bar = base::FindChar(hint, '|', platform::IsSystemLeadByte);
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace ui
