// The contents file (.cnt) beside the help file: what real WinHelp 4.0's Contents tab
// shows. Code page 932, CR LF; one book, a line per topic under it.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace hlpc {

struct ContentsInfo {
  std::string base;   // the help file's name, as ":Base" names it
  std::string title;  // code page 932
  std::string book;   // code page 932
  std::vector<std::pair<std::string, std::string>> topics;  // title (code page 932), context string
};

std::string WriteContentsFile(const ContentsInfo& info);

}  // namespace hlpc
