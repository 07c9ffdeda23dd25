// The C++ object behind a window, and the toolkit's one window procedure that finds it.
// Windows of our own classes are bound at WM_NCCREATE from the creation parameters (the
// class procedure is the entry); windows of the system's classes are bound by a subclass
// right after they are made, their first message to us. Either way the binding ends at
// WM_NCDESTROY, and no window procedure is ever written back: a later subclass (the
// tooltip's TTF_SUBCLASS) keeps its place in the chain.
#pragma once
#include <windows.h>

namespace ui {

class WindowTarget {
 public:
  WindowTarget() = default;
  WindowTarget(const WindowTarget&) = delete;
  WindowTarget& operator=(const WindowTarget&) = delete;

  HWND hwnd() const { return hwnd_; }

  // The object bound to the window, or null.
  static WindowTarget* FromHandle(HWND window);
  // The class procedure of our own classes; pass the object as CreateWindowEx's last
  // argument.
  static LRESULT CALLBACK Entry(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  ~WindowTarget() = default;

  // Binds a window of a system class; does nothing for one already bound to this object.
  void Subclass(HWND window);
  // Stops the messages coming here (before the object goes): the window goes on with its
  // own procedure until it is destroyed.
  void Unbind();
  // A message of the bound window. An exception is shown in a box owned by the window's
  // top-level window and the message answered with 0.
  virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The window's own procedure: the system class's, or DefWindowProc.
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

// Registers a window class of ours once, with the entry as its procedure (classes are
// registered lazily, never in DllMain).
const char* RegisterOwnClass(const char* name, UINT style = CS_HREDRAW | CS_VREDRAW);

}  // namespace ui
