// An INI file read from its text, for programs that run where the Windows profile
// functions are not at hand (the build's own tools). Reads as those functions do:
// section and key names compare without regard to the case of "A"-"Z", blanks around
// names and values are dropped, a value's enclosing quotes are dropped, the first of two
// equal keys counts.
#pragma once
#include <string>
#include <vector>

#include "editor/core/ini_file.h"

namespace editor {

class IniText final : public IniFile {
 public:
  // Raises the I/O error text "%s を読み込めません" when the file cannot be read.
  static IniText Load(const std::string& fileName);
  explicit IniText(std::string fileName, const std::string& text);

  // At most 1023 characters of a value are read, as the profile functions give them.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) override;
  // Read-only: raises the write error of the file.
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  struct Entry {
    std::string section, key, value;
  };
  std::string fileName_;
  std::vector<Entry> entries_;
};

}  // namespace editor
