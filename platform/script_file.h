// Writes the version script file: created or truncated, readable but not writable by
// others while open; failures raise the I/O error with the system's code.
#pragma once
#include <string>

#include "editor/version_settings.h"

namespace platform {

void WriteScriptFile(const std::string& path, const std::string& text);

// Writes the version script of `settings` at `path`.
void WriteVersionScript(const std::string& path, const editor::VersionSettings& settings);

}  // namespace platform
