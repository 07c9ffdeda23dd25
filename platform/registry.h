// A registry key opened for reading during one operation and closed at its end. The Windows calls go
// through a table that tests may replace, since refusals cannot be produced under Wine.
#pragma once
#include <windows.h>

#include <string>

namespace platform {

struct RegistryApi {
  LONG(WINAPI* openKey)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
  LONG(WINAPI* queryValue)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
  LONG(WINAPI* closeKey)(HKEY);
};

// The table in use: the system's functions unless a test put others in.
RegistryApi& Registry();

class RegistryKey {
 public:
  explicit RegistryKey(HKEY root) : root_(root) {}
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens an existing key for reading values only (an ordinary user may read the
  // machine's keys but not write them); false when it is missing or refused.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }

  // The text value, or "" when it is absent or empty. A value of another type than
  // text raises "'%s' のﾃﾞｰﾀ型が不正です". A text stored without its terminating NUL is
  // read whole.
  std::string ReadString(const std::string& name);

 private:
  HKEY root_;
  HKEY key_ = nullptr;
};

}  // namespace platform
