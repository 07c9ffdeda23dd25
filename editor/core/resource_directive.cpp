#include "editor/core/resource_directive.h"

#include <algorithm>
#include <cstring>

namespace editor {

const char kDefaultResourceDirective[] = "{$R *.RES}";

namespace {

char UpperAsciiByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string UpperAscii(std::string_view text, base::LeadByteTest lead) {
  std::string result(text);
  for (size_t i = 0; i < result.size(); ++i) {
    if (lead(static_cast<unsigned char>(result[i]))) {
      ++i;  // the second byte stays as it is; a lone lead byte at the end is a character of its own
    } else {
      result[i] = UpperAsciiByte(result[i]);
    }
  }
  return result;
}

std::string ResourceDirective(const std::string& scriptPath, base::LeadByteTest lead) {
  const std::string name = base::ExtractFileName(scriptPath, lead).substr(0, 255);
  return "{$R " + UpperAscii(base::ChangeFileExt(name, ".RES", lead), lead) + "}";
}

DirectiveScanner::DirectiveScanner(std::string directive, bool include, base::LeadByteTest lead)
    : directive_(std::move(directive)),
      include_(include),
      lead_(lead),
      keep_(std::max(directive_.size(), std::strlen(kDefaultResourceDirective)) + 1) {}

bool DirectiveScanner::Feed(char c) {
  ++counter_;
  const bool trail = trailNext_;
  trailNext_ = !trail && lead_(static_cast<unsigned char>(c));
  if (!tokenOpen_) {
    if (!trail && c == '{') {
      tokenOpen_ = true;
      token_.assign(1, c);
    }
    return true;
  }
  if (token_.size() < keep_) {
    token_ += trail ? c : UpperAsciiByte(c);
    largest_ = std::max(largest_, token_.size());
  }
  if (trail || c != '}') return true;
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
