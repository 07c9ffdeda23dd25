// The compile command's ports over the real script file and process start, and bounded
// waits for the file the compiler writes on its own and for its end.
#pragma once
#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "editor/core/resource_compile.h"
#include "platform/lead_byte.h"
#include "platform/process_start.h"
#include "platform/script_file.h"
#include "tests/win32/win_temp_dir.h"

namespace testsupport {

inline editor::CompilePorts RealPorts(bool* reported) {
  return {[](const std::string& path, const std::string& text) { platform::WriteScriptFile(path, text); },
          [](const std::string& commandLine) { platform::StartHidden(commandLine); },
          [reported] { *reported = true; }};
}

// The compile's site for a project in `folder` (with a trailing backslash), with the
// process's current directory.
inline editor::CompileSite SiteIn(const std::string& folder) {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  return {folder + "Sample.dpr", current, platform::IsSystemLeadByte};
}

// True once the file exists, false after `seconds`. The stand-in compiler and the test
// compiler make their files whole at once (a rename, an empty file), and it is the last
// thing they do in the test's folder, so an existing file is a finished one.
// The folder's change notification is armed before each look, so a file made between
// the look and the wait still wakes it.
inline bool WaitForFile(const std::string& path, int seconds) {
  const size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE,
                                               FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (change == INVALID_HANDLE_VALUE) return FileExists(path);
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  bool found = FileExists(path);
  while (!found) {
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    if (left <= 0 || WaitForSingleObject(change, static_cast<DWORD>(left)) != WAIT_OBJECT_0) break;
    FindNextChangeNotification(change);
    found = FileExists(path);
  }
  FindCloseChangeNotification(change);
  return found || FileExists(path);
}

// True once no process runs a program of this file name (such as "brc32.exe"), false
// after `seconds`. A program started unawaited holds its file until it has ended, so a
// test waits for that before its folder goes; one that has ended is not found at all.
inline bool WaitForProgramsToEnd(const std::string& fileName, int seconds) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  bool ended = true;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    const std::string path = entry.szExeFile;
    if (lstrcmpiA(path.substr(path.find_last_of('\\') + 1).c_str(), fileName.c_str()) != 0) continue;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!process) continue;
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    ended = WaitForSingleObject(process, left > 0 ? static_cast<DWORD>(left) : 0) == WAIT_OBJECT_0 && ended;
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return ended;
}

}  // namespace testsupport
