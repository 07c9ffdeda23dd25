#include "stamp/command_line.h"

namespace stamp {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line, base::LeadByteTest lead) {
  std::vector<std::string> args;
  size_t i = 0;
  // The program's name.
  std::string program;
  for (bool quoted = false; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else if (lead(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) {
      program += line.substr(i++, 2);
    } else {
      program += line[i];
    }
  }
  args.push_back(program);

  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == '"') {
        arg.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          arg += '"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
        continue;
      }
      arg.append(backslashes, '\\');
      if (i >= line.size() || (!quoted && IsBlank(line[i]))) break;
      if (lead(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) {
        arg += line.substr(i, 2);
        i += 2;
      } else {
        arg += line[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace stamp
