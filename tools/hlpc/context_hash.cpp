#include "tools/hlpc/context_hash.h"

namespace hlpc {
namespace {

// The value each character of a context string adds; 0 for characters outside the set.
uint32_t HashValue(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<uint32_t>(c - 'A' + 17);
  if (c >= 'a' && c <= 'z') return static_cast<uint32_t>(c - 'a' + 17);
  if (c >= '1' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  return 0;
}

}  // namespace

bool IsContextString(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (HashValue(c) == 0) return false;
  }
  return true;
}

uint32_t ContextHash(std::string_view context) {
  uint32_t hash = 0;
  for (char c : context) hash = hash * 43 + HashValue(c);  // modulo 2^32, as WinHelp's 32-bit arithmetic
  return hash;
}

}  // namespace hlpc
