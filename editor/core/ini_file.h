// Access to one INI file: text reads and writes, with the integer and Boolean rules on top.
#pragma once
#include <cstdint>
#include <string>

namespace editor {

class IniFile {
 public:
  virtual ~IniFile() = default;
  // The value, or `def` when the key is absent.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) = 0;
  // Creates the file, section or key as needed; raises "%s に書き込めません" on failure.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;

  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  bool ReadBool(const std::string& section, const std::string& key, bool def);
  void WriteBool(const std::string& section, const std::string& key, bool value);
};

// The message of a failed write, for the named file.
std::string WriteFailedMessage(const std::string& fileName);

}  // namespace editor
