// A flat tool bar button with a normal and a disabled image. It never takes the
// keyboard focus, so a command run from it leaves the focused control as it was.
#pragma once
#include <functional>

#include "ui/control.h"
#include "ui/gdi.h"

namespace ui {

class ToolButton : public Control {
 public:
  std::function<void()> onClick;

  // The button owns the bitmaps from then on; `transparent` is the colour left out when
  // drawing. Without a disabled image the normal one is drawn when disabled.
  void SetImages(OwnedBitmap normal, OwnedBitmap disabled, COLORREF transparent);
  void SetEnabled(bool enabled) override;
  void Click() override;
  bool CanFocus() const override { return false; }

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  OwnedBitmap normal_;
  OwnedBitmap disabled_;
  COLORREF transparent_ = 0;
  bool hot_ = false;
  bool down_ = false;
};

}  // namespace ui
