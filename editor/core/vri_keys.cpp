#include "editor/core/vri_keys.h"

#include "base/int_text.h"
#include "editor/core/vri_settings.h"

namespace editor {
namespace {

using VS = VersionSettings;

constexpr VriKey Flag(const char* name, CheckField control, bool VS::*field, const char* initial,
                      const char* missing) {
  return {name, VriKind::Boolean, static_cast<int>(control), field, nullptr, nullptr, nullptr, initial, missing,
          VriMissing::Given};
}

constexpr VriKey Quad(const char* name, int firstBox, VersionQuad VS::*field, const char* initial,
                      const char* missing) {
  return {name, VriKind::Version, firstBox, nullptr, field, nullptr, nullptr, initial, missing, VriMissing::Given};
}

constexpr VriKey Text(const char* name, TextField control, std::string VS::*field, const char* initial,
                      const char* missing, VriMissing missingFrom = VriMissing::Given) {
  return {name, VriKind::Text, static_cast<int>(control), nullptr, nullptr, field, nullptr, initial, missing,
          missingFrom};
}

constexpr VriKey List(const char* name, ListField control, int32_t VS::*field, const char* initial,
                      const char* missing) {
  return {name, VriKind::Index, static_cast<int>(control), nullptr, nullptr, nullptr, field, initial, missing,
          VriMissing::Given};
}

constexpr VriKey Path(const char* name, std::string VS::*field, const char* initial, VriMissing missingFrom) {
  return {name, VriKind::Path, -1, nullptr, nullptr, field, nullptr, initial, "", missingFrom};
}

int32_t StoredNumber(const char* stored) { return base::ParseIntText(stored).value_or(0); }

}  // namespace

// The copyright shown in a new window ends in a blank, ready for a name to be typed; the
// one loading puts in for a missing key has none.
const VriKey kVriKeys[kVriKeyCount] = {
    Flag("IncludeVerInfo", CheckField::IncludeVerInfo, &VS::IncludeVerInfo, "1", "1"),
    Quad("FileVersion", kFileVersionBox, &VS::FileVersion, "1, 0, 0, 0", "1, 0, 0, 0"),
    Text("FileVerView", TextField::FileVerView, &VS::FileVerView, "", ""),
    Text("Description", TextField::Description, &VS::Description, "", "VCL Application"),
    Text("CopyRight", TextField::CopyRight, &VS::CopyRight, "Copyright (c) 1997 ", "Copyright (c) 1997"),
    List("FileType", ListField::FileType, &VS::FileType, "0", "0"),
    Text("CompanyName", TextField::CompanyName, &VS::CompanyName, "", ""),
    List("Translation", ListField::Translation, &VS::Translation, "0", "0"),
    Text("OriginalName", TextField::OriginalName, &VS::OriginalName, "", ""),
    Quad("ProductVersion", kProductVersionBox, &VS::ProductVersion, "1, 0, 0, 0", "1, 0, 0, 0"),
    Text("ProductVerView", TextField::ProductVerView, &VS::ProductVerView, "", ""),
    Text("ProductName", TextField::ProductName, &VS::ProductName, "", ""),
    Text("InternalName", TextField::InternalName, &VS::InternalName, "", "", VriMissing::ProjectWithoutExtension),
    Flag("IncludeComment", CheckField::IncludeComment, &VS::IncludeComment, "1", "1"),
    Text("Comment", TextField::Comment, &VS::Comment, "", ""),
    Path("ResourceName", &VS::ResourceName, "Version.rc", VriMissing::CurrentScriptPath),
};

VersionSettings::VersionSettings() {
  for (const VriKey& key : kVriKeys) {
    switch (key.kind) {
      case VriKind::Boolean:
        this->*key.flag = StoredNumber(key.initial) != 0;
        break;
      case VriKind::Version: {
        const std::vector<int32_t> numbers = SplitVersionText(key.initial);
        for (size_t i = 0; i < numbers.size(); ++i) (this->*key.quad)[i] = numbers[i];
        break;
      }
      case VriKind::Text:
        this->*key.text = key.initial;
        break;
      case VriKind::Index:
        this->*key.index = StoredNumber(key.initial);
        break;
      case VriKind::Path:
        break;  // it needs the project: InitialScriptPath
    }
  }
}

std::string StoredValue(const VriKey& key, const VersionSettings& settings) {
  switch (key.kind) {
    case VriKind::Boolean:
      return settings.*key.flag ? "1" : "0";
    case VriKind::Version:
      return JoinVersion(settings.*key.quad, ", ");
    case VriKind::Index:
      return std::to_string(settings.*key.index);
    case VriKind::Text:
    case VriKind::Path:
      break;
  }
  return settings.*key.text;
}

std::string InitialScriptPath(const std::string& projectFileName, base::LeadByteTest lead) {
  std::string path = base::ExtractFileDir(projectFileName, lead);
  for (const VriKey& key : kVriKeys) {
    if (key.kind == VriKind::Path) path += key.initial;
  }
  return path;
}

}  // namespace editor
