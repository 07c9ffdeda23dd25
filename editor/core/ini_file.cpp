#include "editor/core/ini_file.h"

#include "base/error.h"
#include "base/int_text.h"

namespace editor {

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key, int32_t def) {
  return base::ParseIniInt(ReadString(section, key, "")).value_or(def);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string WriteFailedMessage(const std::string& fileName) {
  return base::FormatText("%s に書き込めません", fileName);
}

}  // namespace editor
