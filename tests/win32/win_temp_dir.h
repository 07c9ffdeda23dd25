// A fresh folder under the Windows temporary folder for one test, removed afterwards.
#pragma once
#include <string>

namespace testsupport {

class WinTempDir {
 public:
  // `name` may hold blanks and Shift-JIS characters.
  explicit WinTempDir(const std::string& name);
  ~WinTempDir();
  WinTempDir(const WinTempDir&) = delete;
  WinTempDir& operator=(const WinTempDir&) = delete;

  // The folder with a trailing backslash.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

}  // namespace testsupport
