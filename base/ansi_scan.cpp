// The byte scans of ANSI texts, apart from the path helpers that build strings: a program
// that needs only these (the installer) then links no C++ string code.
#include "base/ansi_path.h"

namespace base {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t LastDelimiter(std::string_view text, std::string_view delimiters, LeadByteTest lead) {
  size_t found = std::string_view::npos;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (lead(c) && i + 1 < text.size()) {
      i += 2;  // a lone lead byte at the very end counts as a single character
      continue;
    }
    if (delimiters.find(static_cast<char>(c)) != std::string_view::npos) found = i;
    ++i;
  }
  return found;
}

size_t FindChar(std::string_view text, char c, LeadByteTest lead) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == c) return i;
    if (lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
  }
  return std::string_view::npos;
}

}  // namespace base
