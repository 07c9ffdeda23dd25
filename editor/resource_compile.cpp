#include "editor/resource_compile.h"

#include <exception>

#include "editor/version_script.h"

namespace editor {

std::string CompilerCommandLine(const std::string& compilerPath, const std::string& scriptPath) {
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
