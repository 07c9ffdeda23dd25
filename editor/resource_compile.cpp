#include "editor/resource_compile.h"

#include <exception>

#include "base/error.h"
#include "editor/version_script.h"

namespace editor {

std::string CompilerCommandLine(const std::string& compilerPath, const std::string& scriptPath) {
  // A double quote would end the quoting early and let the rest of the path through as
  // further arguments or another program; no Windows file name holds one.
  if (compilerPath.find('"') != std::string::npos || scriptPath.find('"') != std::string::npos) {
    throw base::Error("a path holds a double quote");
  }
  return "\"" + compilerPath + "\" -r \"" + scriptPath + "\"";
}

void CompileVersionResource(const VersionSettings& settings, const std::string& scriptPath,
                            const std::string& compilerPath, const CompilePorts& ports) {
  if (scriptPath.empty()) return;
  ports.writeScript(scriptPath, VersionScriptText(settings));
  try {
    ports.startHidden(CompilerCommandLine(compilerPath, scriptPath));
  } catch (const std::exception&) {
    ports.reportCompileError();  // the user sees "ｺﾝﾊﾟｲﾙｴﾗｰ"; the failure's own text is not shown
  }
}

}  // namespace editor
