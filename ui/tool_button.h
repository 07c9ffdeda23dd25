// A flat tool bar button with a normal and a disabled image. It never takes the
// keyboard focus, so a command run from it leaves the focused control as it was.
#pragma once
#include <functional>

#include "ui/control.h"

namespace ui {

class ToolButton : public Control {
 public:
  ~ToolButton() override;
  std::function<void()> onClick;

  // Takes ownership of the bitmaps; `transparent` is the colour left out when drawing.
  void SetImages(HBITMAP normal, HBITMAP disabled, COLORREF transparent);
  void SetEnabled(bool enabled) override;
  void Click() override;
  bool CanFocus() const override { return false; }

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  HBITMAP normal_ = nullptr;
  HBITMAP disabled_ = nullptr;
  COLORREF transparent_ = 0;
  bool hot_ = false;
  bool down_ = false;
};

}  // namespace ui
