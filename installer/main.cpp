// The installer program: no window of its own, only message boxes.
#include <windows.h>

#include "installer/installer.h"

namespace {

void ShowErrorBox(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONERROR); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetUnhandledExceptionFilter(ReportUncaughtException);
  return RunInstallerProgram(ShowErrorBox);
}
