// brc32.exe, the stand-in for the host's resource compiler: "brc32 -r SCRIPT" compiles
// the version script and writes SCRIPT-base.RES beside it, through a temporary file, so
// that a failed run leaves an older .RES as it was and never a half-written one.
// Exit codes: 0 compiled, 1 the script or the file failed (a message on standard error
// names the script and line), 2 usage.
// It is a Windows program rather than a script because Wine, when WinExec starts a program
// that is no Windows program, closes a stale handle value of the starting process.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/ansi_path.h"
#include "platform/lead_byte.h"
#include "tools/brc32/version_res.h"

namespace {

std::optional<std::u16string> FromCp932(std::string_view bytes) {
  if (bytes.empty()) return std::u16string();
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::u16string text(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, reinterpret_cast<wchar_t*>(&text[0]), length);
  return text;
}

// Each returns 0 or the Windows error code of the step that failed.
DWORD ReadWholeFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = 0;
  const DWORD size = GetFileSize(file, nullptr);
  DWORD read = 0;
  if (size == INVALID_FILE_SIZE) {
    error = GetLastError();
  } else {
    bytes.assign(size, '\0');
    if (size != 0 && !ReadFile(file, &bytes[0], size, &read, nullptr)) error = GetLastError();
    if (!error && read != size) error = ERROR_READ_FAULT;
  }
  CloseHandle(file);
  return error;
}

// Writes a temporary file in the target's folder and renames it over the target.
DWORD WriteThroughTemporary(const std::string& path, const std::string& bytes) {
  std::string folder = base::ExtractFileDir(path, platform::IsSystemLeadByte);
  if (folder.empty()) folder = ".";
  char temporary[MAX_PATH];
  if (!GetTempFileNameA(folder.c_str(), "brc", 0, temporary)) return GetLastError();
  DWORD error = 0;
  HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = GetLastError();
  } else {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) error = GetLastError();
    if (!error && written != bytes.size()) error = ERROR_WRITE_FAULT;
    if (!CloseHandle(file) && !error) error = GetLastError();
  }
  if (!error && !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING)) error = GetLastError();
  if (error) DeleteFileA(temporary);
  return error;
}

void Error(const std::string& where, const std::string& message) {
  std::fprintf(stderr, "%s: error: %s\n", where.c_str(), message.c_str());
}

// The C runtime's split of the command line serves: the script path ends in its
// extension, so no second byte 0x5C stands before a closing quote.
int Run(int argc, char** argv) {
  const std::optional<std::string> script = brc32::ScriptArgument(std::vector<std::string>(argv + 1, argv + argc));
  if (!script) {
    std::fputs("usage: brc32 -r SCRIPT\n", stderr);
    return 2;
  }
  std::string text;
  if (const DWORD error = ReadWholeFile(*script, text)) {
    Error(*script, "cannot read the script (Windows error " + std::to_string(error) + ")");
    return 1;
  }
  const brc32::Compiled compiled = brc32::CompileVersionScript(text, FromCp932);
  if (compiled.error) {
    Error(*script + "(" + std::to_string(compiled.error->line) + ")", compiled.error->message);
    return 1;
  }
  const std::string resource = base::ChangeFileExt(*script, ".RES", platform::IsSystemLeadByte);
  if (const DWORD error = WriteThroughTemporary(resource, compiled.res)) {
    Error(resource, "cannot write (Windows error " + std::to_string(error) + ")");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (...) {  // out of memory: nothing else throws
    std::fputs("brc32: out of memory\n", stderr);
    return 1;
  }
}
