#include "controls/mlchkbox.h"

HWND TMultiLineCheckBox::CreateHandle(HWND parent, const ui::ControlSpec& row, int id) {
  ui::ControlSpec sized = row;
  if (sized.width == 0) sized.width = kDefaultWidth;
  if (sized.height == 0) sized.height = kDefaultHeight;
  return CheckBox::CreateHandle(parent, sized, id);
}

DWORD TMultiLineCheckBox::ButtonStyle() const {
  static const DWORD kAlignment[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
  return CheckBox::ButtonStyle() | (wordwrap_ ? BS_MULTILINE : 0) | kAlignment[vertAlignment_];
}

void TMultiLineCheckBox::ClickAction() {
  CheckBox::ClickAction();
  if (enabledControl_) enabledControl_->SetEnabled(Checked());
}

void TMultiLineCheckBox::SetEnabledControl(ui::Control* control) {
  if (control == enabledControl_) return;
  enabledControl_ = control;
  if (enabledControl_) enabledControl_->SetEnabled(Checked());
}

void TMultiLineCheckBox::SetVertAlignment(TVertAlignment value) {
  if (value == vertAlignment_) return;
  vertAlignment_ = value;
  if (hwnd()) RecreateHandle();
}

void TMultiLineCheckBox::SetWordwrap(bool value) {
  if (value == wordwrap_) return;
  wordwrap_ = value;
  if (hwnd()) RecreateHandle();
}

void TMultiLineCheckBox::Notification(ui::Control& removed) {
  CheckBox::Notification(removed);
  if (&removed == enabledControl_) enabledControl_ = nullptr;  // the removed control is not touched
}
