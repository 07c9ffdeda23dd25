#include "ui/window_target.h"

#include "ui/application.h"

namespace ui {
namespace {

const char kTargetProperty[] = "TallowinTarget";
const char kOriginalProperty[] = "TallowinOriginalProc";  // absent: DefWindowProc

WNDPROC OriginalProc(HWND window) {
  auto* original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProperty));
  return original ? original : DefWindowProcA;
}

}  // namespace

WindowTarget* WindowTarget::FromHandle(HWND window) {
  return window ? static_cast<WindowTarget*>(GetPropA(window, kTargetProperty)) : nullptr;
}

LRESULT CALLBACK WindowTarget::Entry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (auto* target = static_cast<WindowTarget*>(create->lpCreateParams)) {
      target->hwnd_ = window;
      SetPropA(window, kTargetProperty, target);
    }
  }
  WindowTarget* target = FromHandle(window);
  if (message == WM_NCDESTROY) {
    const WNDPROC original = OriginalProc(window);
    RemovePropA(window, kTargetProperty);
    RemovePropA(window, kOriginalProperty);
    if (target && target->hwnd_ == window) target->hwnd_ = nullptr;
    return CallWindowProcA(original, window, message, wParam, lParam);
  }
  if (!target) return CallWindowProcA(OriginalProc(window), window, message, wParam, lParam);
  LRESULT result = 0;
  if (!Guarded(RootWindow(window), [&] { result = target->Dispatch(message, wParam, lParam); })) return 0;
  return result;
}

void WindowTarget::Subclass(HWND window) {
  hwnd_ = window;
  if (FromHandle(window) == this) return;  // one of our classes: bound at creation
  SetPropA(window, kOriginalProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
  SetPropA(window, kTargetProperty, this);
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowTarget::Entry));
}

void WindowTarget::Unbind() {
  if (hwnd_ && FromHandle(hwnd_) == this) RemovePropA(hwnd_, kTargetProperty);
  hwnd_ = nullptr;
}

LRESULT WindowTarget::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(OriginalProc(hwnd_), hwnd_, message, wParam, lParam);
}

namespace {

BOOL CALLBACK DetachChild(HWND window, LPARAM) {
  RemovePropA(window, kTargetProperty);
  return TRUE;
}

}  // namespace

void DestroyDetached(HWND window) {
  EnumChildWindows(window, &DetachChild, 0);
  RemovePropA(window, kTargetProperty);
  DestroyWindow(window);
}

const char* RegisterOwnClass(const char* name, UINT style) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  HINSTANCE instance = Application::Get().instance();
  if (GetClassInfoExA(instance, name, &wc)) return name;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &WindowTarget::Entry;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
  return name;
}

}  // namespace ui
