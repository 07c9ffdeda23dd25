#include "editor/core/ini_text.h"

#include <cstdio>

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
  // C files, not streams: streams would link the runtime's locale machinery into every
  // program that reads INI text.
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  std::string text;
  bool failed = file == nullptr;
  for (char block[4096]; file;) {
    const size_t read = std::fread(block, 1, sizeof block, file);
    text.append(block, read);
    if (read < sizeof block) {
      failed = std::ferror(file) != 0;
      std::fclose(file);
      file = nullptr;
    }
  }
  if (failed) throw base::Error(base::FormatText("%s を読み込めません", fileName));
  return IniText(fileName, text);
}

IniText::IniText(std::string fileName, const std::string& text) : fileName_(std::move(fileName)) {
  std::string section;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
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
    if (!SameName(entry.section, section) || !SameName(entry.key, key)) continue;
    std::string value = entry.value;
    // A value in matching single or double quotes is given without them.
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
      value = value.substr(1, value.size() - 2);
    }
    return value.substr(0, kMaxValue);
  }
  return def;
}

void IniText::WriteString(const std::string&, const std::string&, const std::string&) {
  throw base::Error(WriteFailedMessage(fileName_));
}

}  // namespace editor
