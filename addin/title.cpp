#include "addin/title.h"

#include <cctype>

std::string AddInTitle(const std::string& libraryPath, base::LeadByteTest lead) {
  std::string name = base::ExtractFileName(libraryPath, lead);
  const size_t dot = base::FindChar(name, '.', lead);
  if (dot != std::string::npos) name.resize(dot);
  const size_t first = !name.empty() && lead(static_cast<unsigned char>(name[0])) ? 2 : 1;
  for (size_t i = first; i < name.size(); ++i) {
    if (lead(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
      ++i;  // double-byte characters have no case here
    } else if (name[i] >= 'A' && name[i] <= 'Z') {
      name[i] = static_cast<char>(name[i] - 'A' + 'a');
    }
  }
  return name;
}
