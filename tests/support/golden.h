// Golden files: byte-exact expected outputs kept under tests/golden.
#pragma once
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

inline std::string GoldenPath(const std::string& name) { return std::string(TALLOWIN_GOLDEN_DIR) + "/" + name; }

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::string ReadGolden(const std::string& name) {
  const std::string text = ReadFileBytes(GoldenPath(name));
  if (text.empty()) throw std::runtime_error("golden file missing: " + name);
  return text;
}

}  // namespace testsupport
