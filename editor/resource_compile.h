// The compile command: write the version script, then start the resource compiler on it,
// hidden and unawaited.
#pragma once
#include <functional>
#include <string>

#include "editor/version_settings.h"

namespace editor {

// "COMPILER" -r "SCRIPT", both paths unchanged. A path holding a double quote raises.
std::string CompilerCommandLine(const std::string& compilerPath, const std::string& scriptPath);

struct CompilePorts {
  // Writes the script file; raises the I/O error on failure.
  std::function<void(const std::string& path, const std::string& text)> writeScript;
  // Starts a program hidden without waiting for it.
  std::function<void(const std::string& commandLine)> startHidden;
  // Tells the user that the compiler could not be started.
  std::function<void()> reportCompileError;
};

// Does nothing for an empty script path. A script write failure propagates (the compiler
// is then not started); a failure to start is reported through the ports.
void CompileVersionResource(const VersionSettings& settings, const std::string& scriptPath,
                            const std::string& compilerPath, const CompilePorts& ports);

}  // namespace editor
