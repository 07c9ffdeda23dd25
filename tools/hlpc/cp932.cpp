#include "tools/hlpc/cp932.h"

#include <iconv.h>

#include <cstdio>
#include <stdexcept>

namespace hlpc {
namespace {

std::string EncodeUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Whole-string conversion; empty when iconv refuses any of it.
std::string Iconv(void* handle, const std::string& in) {
  iconv_t cd = static_cast<iconv_t>(handle);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(in.size() * 4 + 8, '\0');
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return {};
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return {};
  out.resize(out.size() - outLeft);
  return out;
}

void* Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
  }
  return cd;
}

}  // namespace

std::optional<CodePoint> DecodeUtf8(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t size;
  char32_t value;
  if (lead < 0x80) return CodePoint{lead, 1};
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    value = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() < size) return std::nullopt;
  for (size_t i = 1; i < size; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < smallest[size] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  return CodePoint{value, size};
}

std::string CodePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

Cp932Encoder::Cp932Encoder() : toCp932_(Open("CP932", "UTF-8")), fromCp932_(nullptr) {
  try {
    fromCp932_ = Open("UTF-8", "CP932");
  } catch (...) {
    iconv_close(static_cast<iconv_t>(toCp932_));
    throw;
  }
}

Cp932Encoder::~Cp932Encoder() {
  iconv_close(static_cast<iconv_t>(toCp932_));
  iconv_close(static_cast<iconv_t>(fromCp932_));
}

const Cp932Encoder::Form& Cp932Encoder::Lookup(char32_t c) {
  auto found = cache_.find(c);
  if (found == cache_.end()) found = cache_.emplace(c, Convert(c)).first;
  return found->second;
}

Cp932Encoder::Form Cp932Encoder::Convert(char32_t c) {
  if (c < 0x80) return Form{std::string(1, static_cast<char>(c)), c};  // code page 932 keeps ASCII as it is
  Form form;
  form.bytes = Iconv(toCp932_, EncodeUtf8(c));
  if (form.bytes.empty()) return form;
  const std::string back = Iconv(fromCp932_, form.bytes);
  const auto decoded = DecodeUtf8(back);
  if (decoded && decoded->size == back.size()) form.readBack = decoded->value;
  return form;
}

std::string Cp932Encoder::Encode(std::string_view utf8) {
  auto out = TryEncode(utf8);
  if (!out) throw std::logic_error("text not checked for code page 932");
  return std::move(*out);
}

std::optional<std::string> Cp932Encoder::TryEncode(std::string_view utf8) {
  std::string out;
  while (!utf8.empty()) {
    const auto c = DecodeUtf8(utf8);
    if (!c || !HasForm(c->value)) return std::nullopt;
    out += Lookup(c->value).bytes;
    utf8.remove_prefix(c->size);
  }
  return out;
}

}  // namespace hlpc
