// A number box with up and down buttons: digits, signs and the decimal separator only,
// at most three characters, clamped to its range when set and when the focus leaves.
#pragma once
#include <cstdint>

#include "ui/standard_controls.h"

namespace ui {

class SpinEdit : public Edit {
 public:
  SpinEdit();
  ~SpinEdit() override;

  int32_t minValue = 0;
  int32_t maxValue = 255;

  // The text read by the integer text rule, or the minimum when it is no number.
  int32_t Value() const;
  // Shows the value clamped to the range; the same text again is no change.
  void SetValue(int32_t value);
  void StepBy(int32_t delta);

  bool WantsKey(UINT vk) const override;
  // The up and down buttons (a child window at the right edge of the box).
  HWND buttons() const { return buttons_.hwnd(); }

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The buttons' window: a child of the box, made with it and gone with it, so its
  // lifetime is the box's own; this object only receives its messages.
  class Buttons final : public WindowTarget {
   public:
    explicit Buttons(SpinEdit& box) : box_(box) {}
    HWND Create(HWND edit, int left);

   private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    SpinEdit& box_;
  };

  static bool IsAcceptedChar(char c);
  void PaintButtons();
  void PressButton(int direction);
  void ReleaseButton();

  Buttons buttons_{*this};
  int pressed_ = 0;  // +1 up, -1 down, 0 none
  bool repeating_ = false;
};

}  // namespace ui
