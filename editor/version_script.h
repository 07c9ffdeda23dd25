// The text of the version script: one VERSIONINFO resource, CR LF line ends, texts
// written byte for byte in the ANSI code page with no escaping.
#pragma once
#include <string>

#include "editor/version_settings.h"

namespace editor {

std::string VersionScriptText(const VersionSettings& settings);

}  // namespace editor
