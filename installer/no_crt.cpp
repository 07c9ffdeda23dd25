// The few memory and string functions that the compiler and std::string_view call. Setup.exe
// links no C runtime: Windows 95 as it came has no msvcrt.dll, and the installer must start
// there. Built without builtins, so that these loops are not turned back into calls of
// themselves.
#include <cstddef>

extern "C" {

void* memcpy(void* to, const void* from, size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  const auto* s = static_cast<const unsigned char*>(from);
  while (n--) *d++ = *s++;
  return to;
}

void* memmove(void* to, const void* from, size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  const auto* s = static_cast<const unsigned char*>(from);
  if (d < s) {
    while (n--) *d++ = *s++;
  } else {
    while (n--) d[n] = s[n];
  }
  return to;
}

void* memset(void* to, int value, size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  while (n--) *d++ = static_cast<unsigned char>(value);
  return to;
}

int memcmp(const void* a, const void* b, size_t n) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  for (; n; --n, ++x, ++y) {
    if (*x != *y) return *x < *y ? -1 : 1;
  }
  return 0;
}

const void* memchr(const void* text, int c, size_t n) {
  const auto* p = static_cast<const unsigned char*>(text);
  for (; n; --n, ++p) {
    if (*p == static_cast<unsigned char>(c)) return p;
  }
  return nullptr;
}

size_t strlen(const char* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

}  // extern "C"
