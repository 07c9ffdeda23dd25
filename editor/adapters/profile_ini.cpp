#include "editor/adapters/profile_ini.h"

#include <windows.h>

#include "base/error.h"

namespace editor {
namespace {

// The profile functions take a file name of at most MAX_PATH - 1 characters; a longer one
// is not refused but written to files of garbled names in the current folder.
bool NameFits(const std::string& fileName) { return fileName.size() < MAX_PATH; }

}  // namespace

std::string ProfileIniFile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& def) {
  if (!NameFits(fileName_)) return def;  // no such file can exist
  char buffer[1024];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                           sizeof buffer, fileName_.c_str());
  return std::string(buffer, n);
}

void ProfileIniFile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
  if (!NameFits(fileName_) ||
      !WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) {
    throw base::Error(WriteFailedMessage(fileName_));
  }
}

}  // namespace editor
