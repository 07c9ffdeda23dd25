#include "editor/core/resource_compile.h"

#include <exception>

#include "base/error.h"
#include "editor/core/windows_path.h"

namespace editor {

std::string CompilerCommandLine(const std::string& compilerPath, const std::string& scriptPath) {
  // A double quote would end the quoting early and let the rest of the path through as
  // further arguments or another program; no Windows file name holds one.
  if (compilerPath.find('"') != std::string::npos || scriptPath.find('"') != std::string::npos) {
    throw base::Error("a path holds a double quote");
  }
  return "\"" + compilerPath + "\" -r \"" + scriptPath + "\"";
}

bool ScriptPathNamesProjectSource(const std::string& scriptPath, const CompileSite& site) {
  return !site.projectFileName.empty() &&
         NamesSameFile(scriptPath, site.projectFileName, site.currentDirectory, site.lead);
}

void CompileVersionResource(const VersionSettings& settings, const std::string& scriptPath,
                            const std::string& compilerPath, const CompileSite& site, const CompilePorts& ports) {
  if (scriptPath.empty()) return;
  // The script would replace the project's own source text.
  if (ScriptPathNamesProjectSource(scriptPath, site)) {
    ports.reportCompileError();
    return;
  }
  WriteVersionScript(scriptPath, settings, ports.writeScript);
  try {
    ports.startHidden(CompilerCommandLine(compilerPath, scriptPath));
  } catch (const std::exception&) {
    ports.reportCompileError();  // the user sees "ｺﾝﾊﾟｲﾙｴﾗｰ"; the failure's own text is not shown
  }
}

}  // namespace editor
