#include "tools/hlpc/contents_file.h"

#include "base/ansi_path.h"

namespace hlpc {
namespace {

// '=' ends a title in "title=CONTEXT": a literal one is written "\=".
std::string Escaped(const std::string& title) {
  std::string out;
  for (size_t i = 0; i < title.size(); ++i) {
    const auto c = static_cast<unsigned char>(title[i]);
    if (base::IsCp932LeadByte(c)) {
      out += title.substr(i, 2);  // a double-byte character whole: its trail byte is no '='
      ++i;
    } else {
      if (c == '=') out += '\\';
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

std::string WriteContentsFile(const ContentsInfo& info) {
  std::string out = ":Base " + info.base + "\r\n:Title " + info.title + "\r\n1 " + Escaped(info.book) + "\r\n";
  for (const auto& [title, context] : info.topics) out += "2 " + Escaped(title) + "=" + context + "\r\n";
  return out;
}

}  // namespace hlpc
