#include "installer/install_path.h"

#include <cstring>
#include <string_view>

const char kLibraryFileName[] = "Tallowin.dll";

bool LibraryPathFor(const char* programPath, base::LeadByteTest lead, char* out, size_t size) {
  const size_t separator = base::LastDelimiter(programPath, "\\:", lead);
  const size_t directory = separator == std::string_view::npos ? 0 : separator + 1;
  if (directory + sizeof kLibraryFileName > size) return false;
  std::memcpy(out, programPath, directory);
  std::memcpy(out + directory, kLibraryFileName, sizeof kLibraryFileName);
  return true;
}
