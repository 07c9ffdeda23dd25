#include "editor/adapters/profile_ini.h"

#include <windows.h>

#include "base/error.h"

namespace editor {

std::string ProfileIniFile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& def) {
  char buffer[1024];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                           sizeof buffer, fileName_.c_str());
  return std::string(buffer, n);
}

void ProfileIniFile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) {
    throw base::Error(WriteFailedMessage(fileName_));
  }
}

}  // namespace editor
