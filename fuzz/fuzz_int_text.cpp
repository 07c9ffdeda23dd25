// The integer text rule against an independent reading with the C library.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/int_text.h"
#include "fuzz/fuzz_check.h"

namespace {

std::optional<int32_t> Reference(const std::string& raw) {
  if (raw.find('\0') != std::string::npos) return std::nullopt;
  std::string text = raw.substr(std::min(raw.find_first_not_of(' '), raw.size()));
  if (text.empty()) return std::nullopt;
  const bool hex = text[0] == '$';
  std::string digits = hex ? text.substr(1) : text;
  size_t start = (!hex && (digits[0] == '+' || digits[0] == '-')) ? 1 : 0;
  if (digits.size() == start) return std::nullopt;
  for (size_t i = start; i < digits.size(); ++i) {
    const char c = digits[i];
    const bool ok = hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '9');
    if (!ok) return std::nullopt;
  }
  errno = 0;
  if (hex) {
    const unsigned long long v = std::strtoull(digits.c_str(), nullptr, 16);
    if (errno == ERANGE || v > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(v));
  }
  const long long v = std::strtoll(digits.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(base::ParseIntText(text) == Reference(text));
  const auto ini = base::ParseIniInt(text);
  if (size > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    FUZZ_CHECK(ini == Reference("$" + text.substr(2)));
  } else {
    FUZZ_CHECK(ini == Reference(text));
  }
  return 0;
}
