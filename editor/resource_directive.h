// The resource directive that links the compiled version resource, and the scan of a
// project text for it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/ansi_path.h"

namespace editor {

extern const char kDefaultResourceDirective[];  // "{$R *.RES}"

// Upper-cases the bytes 'a' to 'z' only, with no regard to double-byte characters.
char UpperAsciiByte(char c);

// "{$R " + the script's file name (at most its first 255 bytes) with the extension
// ".RES", upper-cased, + "}".
std::string ResourceDirective(const std::string& scriptPath, base::LeadByteTest lead);

// Reads a text one character at a time, holding only the current brace token, and finds
// where the directive is to be inserted (include) or removed (not include).
class DirectiveScanner {
 public:
  DirectiveScanner(std::string directive, bool include);

  // Takes the next character; false once the scan is over.
  bool Feed(char c);

  bool directiveFound() const { return found_; }
  // Behind the last "{$R *.RES}" (include) or the found directive's "{" (not include).
  std::optional<int32_t> point() const { return point_; }
  int32_t counter() const { return counter_; }
  size_t largestToken() const { return largest_; }
  const std::string& directive() const { return directive_; }

 private:
  std::string directive_;
  bool include_;
  bool tokenOpen_ = false;
  bool found_ = false;
  std::string token_;
  int32_t counter_ = 0;
  std::optional<int32_t> point_;
  size_t largest_ = 0;
};

}  // namespace editor
