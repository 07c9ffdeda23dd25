// A fresh folder under the Windows temporary folder for one test, removed afterwards
// with the process's current directory put back as it was; a test fails when its folder
// cannot be removed.
#pragma once
#include <string>

namespace testsupport {

class WinTempDir {
 public:
  // `name` may hold blanks and Shift-JIS characters. Every folder of a process has a
  // name of its own, so a test run again in the same process starts afresh.
  explicit WinTempDir(const std::string& name);
  ~WinTempDir();
  WinTempDir(const WinTempDir&) = delete;
  WinTempDir& operator=(const WinTempDir&) = delete;

  // The folder with a trailing backslash.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
  std::string currentDirectory_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

}  // namespace testsupport
