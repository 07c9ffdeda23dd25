// The help file's container: its header, the internal files and their directory.
#pragma once
#include <map>
#include <string>

namespace hlpc {

// Internal files by name (std::map orders the names as strcmp does, which is the order the
// directory's readers expect); each gets its 9-byte header. The directory comes last.
std::string WriteHelpFile(const std::map<std::string, std::string>& files);

}  // namespace hlpc
