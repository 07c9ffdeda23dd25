#include "platform/registry.h"

#include <vector>

#include "base/error.h"

namespace platform {

RegistryApi& Registry() {
  static RegistryApi api{&RegOpenKeyExA, &RegQueryValueExA, &RegCloseKey};
  return api;
}

bool RegistryKey::Open(const std::string& path) {
  Close();
  HKEY key = nullptr;
  if (Registry().openKey(root_, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  key_ = key;
  return true;
}

void RegistryKey::Close() {
  if (key_) Registry().closeKey(key_);
  key_ = nullptr;
}

std::string RegistryKey::ReadString(const std::string& name) {
  DWORD type = 0;
  DWORD size = 0;
  if (!key_ || Registry().queryValue(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return {};
  }
  // The type decides before the length: an empty number is still no text.
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw base::Error(base::FormatText("'%s' のﾃﾞｰﾀ型が不正です", name));
  }
  if (size == 0) return {};
  std::vector<char> data(size + 1, '\0');  // room for a NUL the stored text may lack
  if (Registry().queryValue(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return std::string(data.data());
}

}  // namespace platform
