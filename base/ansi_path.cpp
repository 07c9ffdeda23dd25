#include "base/ansi_path.h"

namespace base {

std::string ExtractFileDir(std::string_view path, LeadByteTest lead) {
  const size_t sep = LastDelimiter(path, "\\:", lead);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ExtractFileName(std::string_view path, LeadByteTest lead) {
  const size_t sep = LastDelimiter(path, "\\:", lead);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension, LeadByteTest lead) {
  const size_t found = LastDelimiter(path, ".\\:", lead);
  const bool hasExtension = found != std::string_view::npos && path[found] == '.';
  std::string result(hasExtension ? path.substr(0, found) : path);
  result.append(extension);
  return result;
}

std::string VriFileName(std::string_view projectFileName, LeadByteTest lead) {
  return ChangeFileExt(projectFileName, ".vri", lead);
}

}  // namespace base
