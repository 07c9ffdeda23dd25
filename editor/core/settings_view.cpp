#include "editor/core/settings_view.h"

#include <algorithm>

#include "base/int_text.h"
#include "editor/core/vri_keys.h"

namespace editor {

const char* const kFileTypeNames[kFileTypeCount] = {
    "VFT_APP", "VFT_DLL", "VFT_DRV", "VFT_FONT", "VFT_VXD", "VFT_STATIC_LIB", "VFT_UNKNOWN"};
const char* const kLanguageNames[kLanguageCount] = {"日本語", "英語(U.S)"};

int32_t SpinValue(const std::string& text) { return base::ParseIntText(text).value_or(kSpinMin); }

int32_t ClampSpin(int32_t value) { return std::clamp(value, kSpinMin, kSpinMax); }

std::string SpinTextFor(int32_t value) { return std::to_string(ClampSpin(value)); }

int32_t ListCount(ListField field) {
  return field == ListField::FileType ? kFileTypeCount : kLanguageCount;
}

VersionSettings ReadSettings(const SettingsView& view) {
  VersionSettings settings;
  for (const VriKey& key : kVriKeys) {
    switch (key.kind) {
      case VriKind::Boolean:
        settings.*key.flag = view.Checked(static_cast<CheckField>(key.control));
        break;
      case VriKind::Version:
        for (int i = 0; i < 4; ++i) (settings.*key.quad)[i] = SpinValue(view.SpinText(key.control + i));
        break;
      case VriKind::Text:
        settings.*key.text = view.Text(static_cast<TextField>(key.control));
        break;
      case VriKind::Index:
        settings.*key.index = view.ItemIndex(static_cast<ListField>(key.control));
        break;
      case VriKind::Path:
        settings.*key.text = view.GetScriptPath();
        break;
    }
  }
  return settings;
}

void ShowSettings(const VersionSettings& settings, SettingsView& view) {
  for (const VriKey& key : kVriKeys) {
    switch (key.kind) {
      case VriKind::Boolean:
        view.SetChecked(static_cast<CheckField>(key.control), settings.*key.flag);
        break;
      case VriKind::Version:
        for (int i = 0; i < 4; ++i) view.SetSpinValue(key.control + i, (settings.*key.quad)[i]);
        break;
      case VriKind::Text:
        view.SetText(static_cast<TextField>(key.control), settings.*key.text);
        break;
      case VriKind::Index:
        view.SetItemIndex(static_cast<ListField>(key.control), settings.*key.index);
        break;
      case VriKind::Path:
        view.SetScriptPath(settings.*key.text);
        break;
    }
  }
}

}  // namespace editor
