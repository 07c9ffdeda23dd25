// TMultiLineCheckBox: a check box whose caption may wrap and sit at the top, centre or
// bottom, and which keeps its linked control enabled exactly while it is checked.
#pragma once
#include "ui/standard_controls.h"

enum TVertAlignment { vaTop = 0, vaCenter = 1, vaBottom = 2 };

class TMultiLineCheckBox : public ui::CheckBox {
 public:
  static constexpr int kDefaultWidth = 97;
  static constexpr int kDefaultHeight = 33;

  ui::Control* EnabledControl() const { return enabledControl_; }
  void SetEnabledControl(ui::Control* control);
  TVertAlignment VertAlignment() const { return vertAlignment_; }
  void SetVertAlignment(TVertAlignment value);
  bool Wordwrap() const { return wordwrap_; }
  void SetWordwrap(bool value);

  void Notification(ui::Control& removed) override;

 protected:
  HWND CreateHandle(HWND parent, const ui::ControlSpec& row, int id) override;
  DWORD ButtonStyle() const override;
  void ClickAction() override;

 private:
  ui::Control* enabledControl_ = nullptr;
  TVertAlignment vertAlignment_ = vaCenter;
  bool wordwrap_ = true;
};
