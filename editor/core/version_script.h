// The text of the version script: one VERSIONINFO resource, CR LF line ends, texts
// written byte for byte in the ANSI code page with no escaping.
#pragma once
#include <functional>
#include <string>

#include "editor/core/version_settings.h"

namespace editor {

std::string VersionScriptText(const VersionSettings& settings);

// Puts a whole file at a path; raises the I/O error on failure.
using FileWriter = std::function<void(const std::string& path, const std::string& bytes)>;

// Writes the version script of `settings` at `path`, unchanged (a relative path is the
// process's current directory's business), through `writeFile`.
void WriteVersionScript(const std::string& path, const VersionSettings& settings, const FileWriter& writeFile);

}  // namespace editor
