// A project source file held in a string, for the batch program's update: the new text
// replaces the string on Commit, the old one goes to `backups`.
#pragma once
#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "stamp/stamp.h"

namespace testsupport {

class MemorySourceFile final : public stamp::SourceFile {
 public:
  MemorySourceFile(std::string& text, std::map<std::string, std::string>& backups) : text_(text), backups_(backups) {}

  int32_t Read(int32_t position, char* buffer, int32_t count) override {
    if (position < 0 || static_cast<size_t>(position) >= text_.size()) return 0;
    const size_t n = std::min(static_cast<size_t>(count), text_.size() - static_cast<size_t>(position));
    std::memcpy(buffer, text_.data() + position, n);
    return static_cast<int32_t>(n);
  }
  void Write(const char* bytes, size_t count) override { newText_.append(bytes, count); }
  void Commit(const std::string& backup) override {
    backups_[backup] = text_;
    text_ = newText_;
  }

 private:
  std::string& text_;
  std::map<std::string, std::string>& backups_;
  std::string newText_;
};

}  // namespace testsupport
