// UTF-8 source text to code page 932 (Shift-JIS as Windows has it), the charset the
// help file declares.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace hlpc {

struct CodePoint {
  char32_t value;
  size_t size;  // bytes of its UTF-8 form
};

// The character at the start of `text`; nullopt for a malformed, overlong or cut sequence
// and for surrogates.
std::optional<CodePoint> DecodeUtf8(std::string_view text);

// "U+2014".
std::string CodePointName(char32_t c);

// Encodes through iconv's "CP932", accepting only characters that read back as themselves:
// iconv also maps some look-alikes one way (U+2014 to the bytes of U+2015, U+301C to those
// of U+FF5E), which would show a different character than the source has.
class Cp932Encoder {
 public:
  struct Form {
    std::string bytes;      // empty when the character has no code page 932 form
    char32_t readBack = 0;  // what `bytes` read back as; differs from the character for a look-alike
  };

  Cp932Encoder();
  ~Cp932Encoder();
  Cp932Encoder(const Cp932Encoder&) = delete;
  Cp932Encoder& operator=(const Cp932Encoder&) = delete;

  const Form& Lookup(char32_t c);
  bool HasForm(char32_t c) { return Lookup(c).readBack == c; }
  // Text all of whose characters have a form (the caller has checked them).
  std::string Encode(std::string_view utf8);
  // nullopt when some character has no form.
  std::optional<std::string> TryEncode(std::string_view utf8);

 private:
  Form Convert(char32_t c);

  void* toCp932_;
  void* fromCp932_;
  std::unordered_map<char32_t, Form> cache_;
};

}  // namespace hlpc
