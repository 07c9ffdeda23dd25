// An INI file through the Windows profile functions.
#pragma once
#include <string>

#include "editor/core/ini_file.h"

namespace editor {

class ProfileIniFile final : public IniFile {
 public:
  explicit ProfileIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  // At most 1023 characters of a value are read.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

  const std::string& fileName() const { return fileName_; }

 private:
  std::string fileName_;
};

}  // namespace editor
