// The resource directive that links the compiled version resource, and the scan of a
// project text for it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/ansi_path.h"

namespace editor {

extern const char kDefaultResourceDirective[];  // "{$R *.RES}"

// Upper-cases the single-byte characters 'a' to 'z'; a double-byte character is stepped
// over whole, so its second byte is never changed.
std::string UpperAscii(std::string_view text, base::LeadByteTest lead);

// "{$R " + the script's file name (at most its first 255 bytes) with the extension
// ".RES", upper-cased, + "}".
std::string ResourceDirective(const std::string& scriptPath, base::LeadByteTest lead);

// Reads a text one byte at a time, holding only what of the current brace token can
// still matter, and finds where the directive is to be inserted (include) or removed
// (not include). A double-byte character is taken whole, also when its two bytes come
// in separate calls: its second byte neither opens nor closes a token.
class DirectiveScanner {
 public:
  DirectiveScanner(std::string directive, bool include, base::LeadByteTest lead);

  // Takes the next byte; false once the scan is over.
  bool Feed(char c);

  bool directiveFound() const { return found_; }
  // Behind the last "{$R *.RES}" (include) or the found directive's "{" (not include).
  std::optional<int32_t> point() const { return point_; }
  int32_t counter() const { return counter_; }
  // The most bytes of one token held at once.
  size_t largestToken() const { return largest_; }
  const std::string& directive() const { return directive_; }

 private:
  std::string directive_;
  bool include_;
  base::LeadByteTest lead_;
  // A token longer than both texts it is compared with can equal neither, so no more of
  // it is kept than one byte beyond the longer of the two.
  size_t keep_;
  bool tokenOpen_ = false;
  bool trailNext_ = false;  // the next byte is the second of a double-byte character
  bool found_ = false;
  std::string token_;
  int32_t counter_ = 0;
  std::optional<int32_t> point_;
  size_t largest_ = 0;
};

}  // namespace editor
