#include "editor/settings_view.h"

#include <algorithm>

#include "base/int_text.h"

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
  auto quad = [&view](int first) {
    VersionQuad q{};
    for (int i = 0; i < 4; ++i) q[i] = SpinValue(view.SpinText(first + i));
    return q;
  };
  VersionSettings s;
  s.IncludeVerInfo = view.Checked(CheckField::IncludeVerInfo);
  s.FileVersion = quad(kFileVersionBox);
  s.FileVerView = view.Text(TextField::FileVerView);
  s.Description = view.Text(TextField::Description);
  s.CopyRight = view.Text(TextField::CopyRight);
  s.FileType = view.ItemIndex(ListField::FileType);
  s.CompanyName = view.Text(TextField::CompanyName);
  s.Translation = view.ItemIndex(ListField::Translation);
  s.OriginalName = view.Text(TextField::OriginalName);
  s.ProductVersion = quad(kProductVersionBox);
  s.ProductVerView = view.Text(TextField::ProductVerView);
  s.ProductName = view.Text(TextField::ProductName);
  s.InternalName = view.Text(TextField::InternalName);
  s.IncludeComment = view.Checked(CheckField::IncludeComment);
  s.Comment = view.Text(TextField::Comment);
  s.ResourceName = view.GetScriptPath();
  return s;
}

}  // namespace editor
