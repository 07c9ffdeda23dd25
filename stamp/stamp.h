// The batch program's work: from a project's main source file and its VRI file, the
// version script, its compilation, the version bump and the source directive, each
// through the editor's own core, so that a batch build gets what the window gives.
// Windows is reached only through the ports.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/ansi_path.h"
#include "editor/core/ini_file.h"
#include "editor/core/project_source.h"
#include "editor/core/version_script.h"
#include "stamp/options.h"

namespace stamp {

constexpr int kExitDone = 0;
constexpr int kExitUsage = 1;
constexpr int kExitFailed = 2;  // an input or file error; a failed compile passes its own code

// How a compiler run ended.
struct CompilerEnd {
  enum class Kind { NotStarted, NotAwaitable, Exited };
  Kind kind;
  unsigned long code;  // the exit code, or the system's error code when not started
};

// The project source on disk while its directive is brought into line. The file is held
// from opening on so that no other program writes it meanwhile.
class SourceFile {
 public:
  virtual ~SourceFile() = default;  // drops a new text not committed
  // Up to `count` bytes from `position` on; 0 at the end.
  virtual int32_t Read(int32_t position, char* buffer, int32_t count) = 0;
  // Appends to the new text, which is kept apart from the file until Commit.
  virtual void Write(const char* bytes, size_t count) = 0;
  // The old text becomes `backup` (an older backup goes) and the new text takes the
  // file's name. On a failure the file keeps, or gets back, its old text.
  virtual void Commit(const std::string& backup) = 0;
};

// The IDE's backup name: the extension's first two characters behind "~", as in
// Sample.~dp for Sample.dpr.
std::string BackupFileName(const std::string& path, base::LeadByteTest lead);

// Writes the new text of `file`: its text with `edit` applied, every other byte as it was.
void WriteEditedText(SourceFile& file, const editor::SourceEdit& edit);

struct Ports {
  base::LeadByteTest lead = base::IsCp932LeadByte;
  std::string currentDirectory;
  // The full path of a file as the host reports a project's (relative to the current directory).
  std::function<std::string(const std::string& path)> fullPath;
  std::function<bool(const std::string& path)> fileExists;  // an existing file, not a folder
  std::function<std::unique_ptr<editor::IniFile>(const std::string& fileName)> openIni;
  editor::FileWriter writeScript;
  // The compiler as the window finds it; empty without an installed host.
  std::function<std::string()> hostCompiler;
  std::function<CompilerEnd(const std::string& commandLine)> runCompiler;
  // Raises with the message to show when the file is read-only, held by another program
  // or cannot be opened.
  std::function<std::unique_ptr<SourceFile>(const std::string& path)> openSource;
  // One line each, without its line end.
  std::function<void(const std::string& line)> out;
  std::function<void(const std::string& line)> err;
};

// Runs the steps: every check first, then the writes in order (VRI file, script, compile,
// project source), each file written named on `out`. Returns the exit code.
int Run(const Options& options, const Ports& ports);

}  // namespace stamp
