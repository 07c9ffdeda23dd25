#include "editor/vri_settings.h"

#include "base/int_text.h"

namespace editor {

const char kVriSection[] = "Version";

namespace {

const char kDefaultVersion[] = "1, 0, 0, 0";


}  // namespace

void SplitVersion(std::string text, SettingsView& view, int firstBox) {
  for (int i = 0; i < 3; ++i) {
    const size_t comma = text.find(',');
    const std::string piece = comma == std::string::npos ? std::string() : text.substr(0, comma);
    const auto value = base::ParseIntText(piece);
    if (!value) return;
    view.SetSpinValue(firstBox + i, *value);
    // The comma and the character after it (the blank of ", ") go.
    text = comma + 2 < text.size() ? text.substr(comma + 2) : std::string();
  }
  if (const auto last = base::ParseIntText(text)) view.SetSpinValue(firstBox + 3, *last);
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
  const std::string s = kVriSection;
  auto text = [&](const char* key, TextField field, const std::string& def = std::string()) {
    view.SetText(field, ini.ReadString(s, key, def));
  };
  view.SetChecked(CheckField::IncludeVerInfo, ini.ReadBool(s, "IncludeVerInfo", true));
  SplitVersion(ini.ReadString(s, "FileVersion", kDefaultVersion), view, kFileVersionBox);
  text("FileVerView", TextField::FileVerView);
  text("Description", TextField::Description, "VCL Application");
  text("CopyRight", TextField::CopyRight, "Copyright (c) 1997");
  view.SetItemIndex(ListField::FileType, ini.ReadInteger(s, "FileType", 0));
  text("CompanyName", TextField::CompanyName);
  view.SetItemIndex(ListField::Translation, ini.ReadInteger(s, "Translation", 0));
  text("OriginalName", TextField::OriginalName);
  SplitVersion(ini.ReadString(s, "ProductVersion", kDefaultVersion), view, kProductVersionBox);
  text("ProductVerView", TextField::ProductVerView);
  text("ProductName", TextField::ProductName);
  text("InternalName", TextField::InternalName, base::ChangeFileExt(projectFileName, "", lead));
  view.SetChecked(CheckField::IncludeComment, ini.ReadBool(s, "IncludeComment", true));
  text("Comment", TextField::Comment);
  view.SetScriptPath(ini.ReadString(s, "ResourceName", view.GetScriptPath()));
}

void SaveSettings(IniFile& ini, SettingsView& view) {
  const VersionSettings v = ReadSettings(view);
  const std::string s = kVriSection;
  ini.WriteBool(s, "IncludeVerInfo", v.IncludeVerInfo);
  ini.WriteString(s, "FileVersion", JoinVersion(v.FileVersion, ", "));
  ini.WriteString(s, "FileVerView", v.FileVerView);
  ini.WriteString(s, "Description", v.Description);
  ini.WriteString(s, "CopyRight", v.CopyRight);
  ini.WriteInteger(s, "FileType", v.FileType);
  ini.WriteString(s, "CompanyName", v.CompanyName);
  ini.WriteInteger(s, "Translation", v.Translation);
  ini.WriteString(s, "OriginalName", v.OriginalName);
  ini.WriteString(s, "ProductVersion", JoinVersion(v.ProductVersion, ", "));
  ini.WriteString(s, "ProductVerView", v.ProductVerView);
  ini.WriteString(s, "ProductName", v.ProductName);
  ini.WriteString(s, "InternalName", v.InternalName);
  ini.WriteBool(s, "IncludeComment", v.IncludeComment);
  ini.WriteString(s, "Comment", v.Comment);
  ini.WriteString(s, "ResourceName", v.ResourceName);
  view.SetModified(false);
}

std::string CurrentVriFileName(TIHostServices& services, base::LeadByteTest lead) {
  const char* project = services.GetProjectFileName();
  return base::VriFileName(project ? project : "", lead);
}

}  // namespace editor
