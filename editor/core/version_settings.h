// The sixteen values edited for one project, named after their VRI keys.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace editor {

using VersionQuad = std::array<int32_t, 4>;

struct VersionSettings {
  // The values a window shows for a project without a VRI file, from the table of VRI
  // keys (vri_keys.h); `ResourceName` stays empty, as it needs the project.
  VersionSettings();

  bool IncludeVerInfo = false;
  VersionQuad FileVersion{};
  std::string FileVerView;
  std::string Description;
  std::string CopyRight;
  int32_t FileType = 0;  // -1: no selection
  std::string CompanyName;
  int32_t Translation = 0;  // -1: no selection
  std::string OriginalName;
  VersionQuad ProductVersion{};
  std::string ProductVerView;
  std::string ProductName;
  std::string InternalName;
  bool IncludeComment = false;
  std::string Comment;
  std::string ResourceName;
};

constexpr int kFileTypeCount = 7;
extern const char* const kFileTypeNames[kFileTypeCount];
constexpr int kLanguageCount = 2;
extern const char* const kLanguageNames[kLanguageCount];

}  // namespace editor
