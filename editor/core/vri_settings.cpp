#include "editor/core/vri_settings.h"

#include "base/int_text.h"
#include "editor/core/vri_keys.h"

namespace editor {

const char kVriSection[] = "Version";

std::vector<int32_t> SplitVersionText(std::string text) {
  std::vector<int32_t> numbers;
  for (int i = 0; i < 3; ++i) {
    const size_t comma = text.find(',');
    const std::string piece = comma == std::string::npos ? std::string() : text.substr(0, comma);
    const auto value = base::ParseIntText(piece);
    if (!value) return numbers;
    numbers.push_back(*value);
    // The comma and the character after it (the blank of ", ") go.
    text = comma + 2 < text.size() ? text.substr(comma + 2) : std::string();
  }
  if (const auto last = base::ParseIntText(text)) numbers.push_back(*last);
  return numbers;
}

void SplitVersion(const std::string& text, SettingsView& view, int firstBox) {
  const std::vector<int32_t> numbers = SplitVersionText(text);
  for (size_t i = 0; i < numbers.size(); ++i) view.SetSpinValue(firstBox + static_cast<int>(i), numbers[i]);
}

std::string JoinVersion(const VersionQuad& quad, const char* separator) {
  std::string result;
  for (size_t i = 0; i < quad.size(); ++i) {
    if (i > 0) result += separator;
    result += std::to_string(quad[i]);
  }
  return result;
}

void LoadSettings(IniFile& ini, SettingsView& view, const std::string& projectFileName,
                  base::LeadByteTest lead) {
  for (const VriKey& key : kVriKeys) {
    std::string missing = key.missing;
    if (key.missingFrom == VriMissing::ProjectWithoutExtension) {
      missing = base::ChangeFileExt(projectFileName, "", lead);
    } else if (key.missingFrom == VriMissing::CurrentScriptPath) {
      missing = view.GetScriptPath();
    }
    switch (key.kind) {
      case VriKind::Boolean:
        view.SetChecked(static_cast<CheckField>(key.control),
                        ini.ReadBool(kVriSection, key.name, base::ParseIntText(missing).value_or(0) != 0));
        break;
      case VriKind::Version:
        SplitVersion(ini.ReadString(kVriSection, key.name, missing), view, key.control);
        break;
      case VriKind::Text:
        view.SetText(static_cast<TextField>(key.control), ini.ReadString(kVriSection, key.name, missing));
        break;
      case VriKind::Index:
        view.SetItemIndex(static_cast<ListField>(key.control),
                          ini.ReadInteger(kVriSection, key.name, base::ParseIntText(missing).value_or(0)));
        break;
      case VriKind::Path:
        view.SetScriptPath(ini.ReadString(kVriSection, key.name, missing));
        break;
    }
  }
}

void SaveSettings(IniFile& ini, SettingsView& view) {
  const VersionSettings settings = ReadSettings(view);
  for (const VriKey& key : kVriKeys) ini.WriteString(kVriSection, key.name, StoredValue(key, settings));
  view.SetModified(false);
}

}  // namespace editor
