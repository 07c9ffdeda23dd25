// The compile command: write the version script, then start the resource compiler on it,
// hidden and unawaited.
#pragma once
#include <functional>
#include <string>

#include "base/ansi_path.h"
#include "editor/core/version_script.h"
#include "editor/core/version_settings.h"

namespace editor {

// "COMPILER" -r "SCRIPT", both paths unchanged. A path holding a double quote raises.
std::string CompilerCommandLine(const std::string& compilerPath, const std::string& scriptPath);

struct CompilePorts {
  // Writes the script file; raises the I/O error on failure.
  FileWriter writeScript;
  // Starts a program hidden without waiting for it.
  std::function<void(const std::string& commandLine)> startHidden;
  // Tells the user that the compile failed ("ｺﾝﾊﾟｲﾙｴﾗｰ").
  std::function<void()> reportCompileError;
};

// Where the compile runs: the project's main source file, which the script must never
// overwrite, and the process's current directory, against which a relative script path
// is resolved when the file is written.
struct CompileSite {
  std::string projectFileName;
  std::string currentDirectory;
  base::LeadByteTest lead;
};

// Whether the script path names the project's main source file.
bool ScriptPathNamesProjectSource(const std::string& scriptPath, const CompileSite& site);

// Does nothing for an empty script path. A script path naming the project source is
// refused with the compile error, before anything is written or started. A script write
// failure propagates (the compiler is then not started); a failure to start is reported
// through the ports.
void CompileVersionResource(const VersionSettings& settings, const std::string& scriptPath,
                            const std::string& compilerPath, const CompileSite& site, const CompilePorts& ports);

}  // namespace editor
