#include "editor/core/version_settings.h"
#include "editor/core/vri_settings.h"
#include "tests/support/version_resource.h"

namespace testsupport {
namespace {

uint32_t High(const editor::VersionQuad& q) { return static_cast<uint32_t>(q[0]) << 16 | static_cast<uint16_t>(q[1]); }
uint32_t Low(const editor::VersionQuad& q) { return static_cast<uint32_t>(q[2]) << 16 | static_cast<uint16_t>(q[3]); }

}  // namespace

std::string CompareWithSettings(const VersionResource& res, const editor::VersionSettings& s) {
  std::string diff;
  auto check = [&diff](bool same, const std::string& what) {
    if (!same) diff += what + "\n";
  };
  static const uint32_t kFileTypes[] = {1, 2, 3, 4, 5, 7, 0};
  check(res.fileVersionMS == High(s.FileVersion) && res.fileVersionLS == Low(s.FileVersion), "FILEVERSION");
  check(res.productVersionMS == High(s.ProductVersion) && res.productVersionLS == Low(s.ProductVersion),
        "PRODUCTVERSION");
  check(res.fileOS == 0x00040004u, "FILEOS");
  check(s.FileType >= 0 && s.FileType < 7 && res.fileType == kFileTypes[s.FileType], "FILETYPE");
  check(res.stringTable == "040904E4", "string block " + res.stringTable);
  std::map<std::string, std::string> expected = {
      {"CompanyName", s.CompanyName},
      {"FileDescription", s.Description},
      {"FileVersion", s.FileVerView.empty() ? editor::JoinVersion(s.FileVersion, ", ") : s.FileVerView},
      {"ProductVersion", s.ProductVerView.empty() ? editor::JoinVersion(s.ProductVersion, ", ") : s.ProductVerView},
      {"OriginalFilename", s.OriginalName},
      {"InternalName", s.InternalName},
      {"LegalCopyright", s.CopyRight},
      {"ProductName", s.ProductName}};
  if (s.IncludeComment) expected["Comments"] = s.Comment;
  check(res.strings.size() == expected.size(), "number of string values");
  for (const auto& [key, value] : expected) {
    auto it = res.strings.find(key);
    check(it != res.strings.end() && ToCp932(it->second) == value, "string value " + key);
  }
  const uint32_t language = s.Translation == 1 ? 0x409 : 0x411;
  check(res.translation == std::vector<uint32_t>{language | 1252u << 16}, "Translation");
  return diff;
}

}  // namespace testsupport
