// An INI file held in memory, with a write that can be made to fail.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "editor/core/ini_file.h"

namespace testsupport {

class MemoryIniFile final : public editor::IniFile {
 public:
  explicit MemoryIniFile(std::string name = "mem.vri") : name_(std::move(name)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override {
    auto it = values_.find({section, key});
    return it == values_.end() ? def : it->second.substr(0, 1023);
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (failAtWrite_ == static_cast<int>(written_.size())) {
      throw base::Error(editor::WriteFailedMessage(name_));
    }
    values_[{section, key}] = value;
    written_.push_back(key + "=" + value);
  }

  void Set(const std::string& key, const std::string& value) { values_[{"Version", key}] = value; }
  // Writes fail from the write with this zero-based number on.
  void FailAtWrite(int n) { failAtWrite_ = n; }
  // Every successful write as "key=value", in order.
  const std::vector<std::string>& written() const { return written_; }

 private:
  std::string name_;
  std::map<std::pair<std::string, std::string>, std::string> values_;
  std::vector<std::string> written_;
  int failAtWrite_ = -1;
};

}  // namespace testsupport
