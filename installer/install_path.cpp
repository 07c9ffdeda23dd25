#include "installer/install_path.h"

std::string LibraryPathFor(const std::string& programPath, base::LeadByteTest lead) {
  return base::ExtractFileDir(programPath, lead) + "Tallowin.dll";
}
