// Reads the VERSIONINFO resource back out of a compiled .RES file, so that tests can
// compare what the resource compiler produced with the settings.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct VersionResource {
  uint32_t fileVersionMS = 0, fileVersionLS = 0;
  uint32_t productVersionMS = 0, productVersionLS = 0;
  uint32_t fileOS = 0, fileType = 0;
  std::string stringTable;                          // the block name, e.g. "040904E4"
  std::map<std::string, std::u16string> strings;    // key -> value without trailing NULs
  std::vector<uint32_t> translation;                // language | code page << 16
};

// The first RT_VERSION resource of a .RES file, or nothing when there is none or the
// data is malformed.
std::optional<VersionResource> ParseVersionRes(const std::string& resFile);

// UTF-16 to code page 932, to compare with the ANSI settings.
std::string ToCp932(const std::u16string& text);

}  // namespace testsupport

namespace editor {
struct VersionSettings;
}

namespace testsupport {

// Empty when the compiled resource holds exactly what the settings say; otherwise
// one line per difference.
std::string CompareWithSettings(const VersionResource& res, const editor::VersionSettings& settings);

}  // namespace testsupport
