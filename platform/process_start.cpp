#include "platform/process_start.h"

#include <windows.h>

namespace platform {

unsigned StartHidden(const std::string& commandLine) {
  return WinExec(commandLine.c_str(), SW_HIDE);
}

ProcessEnd RunAndWait(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  std::string line = commandLine;  // CreateProcessA may write into its command line
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return {ProcessEnd::Kind::NotStarted, GetLastError()};
  }
  if (process.hThread) CloseHandle(process.hThread);
  if (!process.hProcess) return {ProcessEnd::Kind::NotAwaitable, 0};
  DWORD code = 0;
  const bool ended = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  if (!ended) return {ProcessEnd::Kind::NotAwaitable, 0};
  return {ProcessEnd::Kind::Exited, code};
}

}  // namespace platform
