// |SYSTEM (the file's header records) and |FONT (the fonts its text records name).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hlpc {

// Font descriptors of |FONT, as text records name them.
enum : uint16_t { kBodyFont = 0, kBoldFont = 1, kTitleFont = 2 };

constexpr size_t kCaptionSize = 50;  // bytes of a window caption, without its NUL

struct SystemInfo {
  std::optional<std::string> title;      // code page 932
  std::optional<std::string> copyright;  // code page 932
  std::optional<std::string> caption;    // code page 932, at most kCaptionSize bytes
  uint32_t contentsOffset = 0;           // TOPICOFFSET of the contents topic
  uint32_t date = 0;                     // seconds since 1970; 0 for none
  std::vector<std::string> macros;       // run when the file opens ("BrowseButtons()")
};

std::string WriteSystemFile(const SystemInfo& info);
std::string WriteFontFile();

}  // namespace hlpc
