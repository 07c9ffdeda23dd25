// TalloVer.exe: the batch program's Windows side. Reads its command line itself (a
// second byte 0x5C before a quote must not escape it), joins the core to the Windows
// functions, and writes lines to the console in the ANSI code page.
#include <windows.h>

#include <exception>
#include <vector>

#include "base/error.h"
#include "editor/adapters/host_compiler.h"
#include "editor/adapters/profile_ini.h"
#include "platform/lead_byte.h"
#include "platform/process_start.h"
#include "platform/script_file.h"
#include "stamp/command_line.h"
#include "stamp/disk_source_file.h"
#include "stamp/stamp.h"

namespace {

const auto kLead = platform::IsSystemLeadByte;

void WriteLine(DWORD stream, const std::string& line) {
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Out(const std::string& line) { WriteLine(STD_OUTPUT_HANDLE, line); }
void Err(const std::string& line) { WriteLine(STD_ERROR_HANDLE, line); }

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  char* name = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

stamp::CompilerEnd RunCompiler(const std::string& commandLine) {
  const platform::ProcessEnd end = platform::RunAndWait(commandLine);
  switch (end.kind) {
    case platform::ProcessEnd::Kind::NotStarted:
      return {stamp::CompilerEnd::Kind::NotStarted, end.code};
    case platform::ProcessEnd::Kind::NotAwaitable:
      return {stamp::CompilerEnd::Kind::NotAwaitable, end.code};
    case platform::ProcessEnd::Kind::Exited:
      break;
  }
  return {stamp::CompilerEnd::Kind::Exited, end.code};
}

// This program's name and version from its own version resource, and its copyright.
std::vector<std::string> OwnVersionLines() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &unused);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) {
    throw base::Error(base::FormatText("%s のﾊﾞｰｼﾞｮﾝ情報を読めません", path));
  }
  const auto value = [&block](const char* name) {
    // The version script names its string block 040904E4 whatever the language.
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key.c_str(), &text, &length) || !text) return std::string();
    const std::string found(static_cast<const char*>(text), length);
    return found.substr(0, found.find('\0'));
  };
  return {value("InternalName") + " " + value("FileVersion"), value("LegalCopyright")};
}

int Main() {
  std::vector<std::string> args = stamp::SplitCommandLine(GetCommandLineA(), kLead);
  args.erase(args.begin());
  stamp::Options options;
  try {
    options = stamp::ParseOptions(args);
  } catch (const stamp::UsageError& e) {
    Err(std::string(stamp::kProgramName) + ": " + e.what());
    Err(std::string("使い方は ") + stamp::kProgramName + " --help で表示します");
    return stamp::kExitUsage;
  }
  if (options.mode == stamp::Options::Mode::Help) {
    for (const std::string& line : stamp::HelpLines()) Out(line);
    return stamp::kExitDone;
  }
  if (options.mode == stamp::Options::Mode::Version) {
    for (const std::string& line : OwnVersionLines()) Out(line);
    return stamp::kExitDone;
  }

  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  stamp::Ports ports;
  ports.lead = kLead;
  ports.currentDirectory = current;
  ports.fullPath = FullPath;
  ports.fileExists = FileExists;
  ports.openIni = [](const std::string& fileName) { return std::make_unique<editor::ProfileIniFile>(fileName); };
  ports.writeScript = platform::WriteScriptFile;
  ports.hostCompiler = [] { return editor::HostCompilerPath(kLead); };
  ports.runCompiler = RunCompiler;
  ports.openSource = [](const std::string& path) { return std::make_unique<stamp::DiskSourceFile>(path, kLead); };
  ports.out = Out;
  ports.err = Err;
  return stamp::Run(options, ports);
}

}  // namespace

int main() {
  try {
    return Main();
  } catch (const std::exception& e) {
    Err(std::string(stamp::kProgramName) + ": " + e.what());
    return stamp::kExitFailed;
  }
}
