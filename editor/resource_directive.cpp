#include "editor/resource_directive.h"

#include <algorithm>

namespace editor {

const char kDefaultResourceDirective[] = "{$R *.RES}";

char UpperAsciiByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ResourceDirective(const std::string& scriptPath, base::LeadByteTest lead) {
  std::string name = base::ExtractFileName(scriptPath, lead).substr(0, 255);
  name = base::ChangeFileExt(name, ".RES", lead);
  std::transform(name.begin(), name.end(), name.begin(), UpperAsciiByte);
  return "{$R " + name + "}";
}

DirectiveScanner::DirectiveScanner(std::string directive, bool include)
    : directive_(std::move(directive)), include_(include) {}

bool DirectiveScanner::Feed(char c) {
  ++counter_;
  if (!tokenOpen_) {
    if (c == '{') {
      tokenOpen_ = true;
      token_.assign(1, c);
    }
    return true;
  }
  token_ += UpperAsciiByte(c);
  largest_ = std::max(largest_, token_.size());
  if (c != '}') return true;
  tokenOpen_ = false;
  if (token_ == directive_) {
    found_ = true;
    if (!include_) point_ = counter_ - static_cast<int32_t>(directive_.size());
    return false;
  }
  if (include_ && token_ == kDefaultResourceDirective) point_ = counter_;
  return true;
}

}  // namespace editor
