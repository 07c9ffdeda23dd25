// The installer program: no window of its own, only message boxes.
#include <windows.h>

#include "installer/installer.h"

namespace {

void ShowErrorBox(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONERROR); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetUnhandledExceptionFilter(ReportUncaughtException);
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  return RunInstaller(program, ShowErrorBox);
}
