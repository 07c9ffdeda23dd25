// Writes the version script file: created or truncated, readable but not writable by
// others while open; failures raise the I/O error with the system's code.
#pragma once
#include <string>

namespace platform {

void WriteScriptFile(const std::string& path, const std::string& text);

}  // namespace platform
