#include "editor/core/memory_settings_view.h"

namespace editor {


MemorySettingsView::MemorySettingsView() {
  ShowSettings(VersionSettings(), *this);
  modified_ = false;
}

bool MemorySettingsView::Checked(CheckField field) const { return checks_[static_cast<int>(field)]; }

void MemorySettingsView::SetChecked(CheckField field, bool checked) {
  bool& slot = checks_[static_cast<int>(field)];
  if (slot != checked) modified_ = true;
  slot = checked;
}

void MemorySettingsView::SetSpinValue(int box, int32_t value) {
  Change(spins_[box], SpinTextFor(value));
}

void MemorySettingsView::TypeSpin(int box, const std::string& text) { Change(spins_[box], text); }

std::string MemorySettingsView::Text(TextField field) const { return texts_[static_cast<int>(field)]; }

void MemorySettingsView::SetText(TextField field, const std::string& text) {
  Change(texts_[static_cast<int>(field)], text);
}

int32_t MemorySettingsView::ItemIndex(ListField field) const { return lists_[static_cast<int>(field)]; }

void MemorySettingsView::SetItemIndex(ListField field, int32_t index) {
  const bool inRange = index >= 0 && index < ListCount(field);
  lists_[static_cast<int>(field)] = inRange ? index : -1;
}

void MemorySettingsView::Change(std::string& slot, const std::string& value) {
  if (slot != value) modified_ = true;
  slot = value;
}

}  // namespace editor
