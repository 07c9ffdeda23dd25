#include "editor/ini_text.h"

#include <fstream>
#include <sstream>

#include "base/error.h"

namespace editor {
namespace {

constexpr size_t kMaxValue = 1023;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

}  // namespace

IniText IniText::Load(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  std::ostringstream text;
  if (!file || !(text << file.rdbuf())) throw base::Error(base::FormatText("%s を読み込めません", fileName));
  return IniText(fileName, text.str());
}

IniText::IniText(std::string fileName, const std::string& text) : fileName_(std::move(fileName)) {
  std::istringstream lines(text);
  std::string section;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = Trim(line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1));
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    entries_.push_back({section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
  }
}

std::string IniText::ReadString(const std::string& section, const std::string& key, const std::string& def) {
  for (const Entry& entry : entries_) {
    if (SameName(entry.section, section) && SameName(entry.key, key)) return entry.value.substr(0, kMaxValue);
  }
  return def;
}

void IniText::WriteString(const std::string&, const std::string&, const std::string&) {
  throw base::Error(WriteFailedMessage(fileName_));
}

}  // namespace editor
