// The setting controls held in memory, with the controls' change rules: setting a
// control to the value it holds is no change; a list selection set by the program does
// not count; spin boxes clamp when set. Used where settings are handled without a window.
#pragma once
#include <array>
#include <string>

#include "editor/core/settings_view.h"

namespace editor {

class MemorySettingsView final : public SettingsView {
 public:
  MemorySettingsView();

  bool Checked(CheckField field) const override;
  void SetChecked(CheckField field, bool checked) override;
  std::string SpinText(int box) const override { return spins_[box]; }
  void SetSpinValue(int box, int32_t value) override;
  std::string Text(TextField field) const override;
  void SetText(TextField field, const std::string& text) override;
  int32_t ItemIndex(ListField field) const override;
  void SetItemIndex(ListField field, int32_t index) override;
  std::string GetScriptPath() const override { return scriptPath_; }
  void SetScriptPath(const std::string& path) override { scriptPath_ = path; }
  void SetModified(bool modified) override { modified_ = modified; }

  // What a user's typing does: the text as typed, unclamped.
  void TypeSpin(int box, const std::string& text);
  bool modified() const { return modified_; }

 private:
  void Change(std::string& slot, const std::string& value);
  // Filled with the initial values on construction.
  std::array<bool, 2> checks_{};
  std::array<std::string, kSpinBoxCount> spins_;
  std::array<std::string, 9> texts_;
  std::array<int32_t, 2> lists_{};
  std::string scriptPath_;
  bool modified_ = false;
};

}  // namespace editor
