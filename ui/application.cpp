#include "ui/application.h"

#include <vector>

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

namespace {

std::vector<ModalRecord>& ModalRuns() {
  static std::vector<ModalRecord> runs;
  return runs;
}

}  // namespace

void BeginModalRecord(ModalRecord record) { ModalRuns().push_back(std::move(record)); }

void EndModalRecord() {
  if (!ModalRuns().empty()) ModalRuns().pop_back();
}

size_t ModalDepth() { return ModalRuns().size(); }

void AbandonModalRuns(size_t keep) {
  std::vector<ModalRecord>& runs = ModalRuns();
  while (runs.size() > keep) {
    const ModalRecord run = std::move(runs.back());
    runs.pop_back();
    for (HWND window : run.disabled) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    Application::Get().ClearHintHandler(run.owner);
    if (IsWindow(run.window)) DestroyDetached(run.window);
    if (run.previous && IsWindow(run.previous)) SetActiveWindow(run.previous);
  }
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
