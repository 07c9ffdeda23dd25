// The installer program: no window of its own, only message boxes. It links no C runtime
// (see no_crt.cpp), so this is its entry point itself: no start-up code runs before it.
#include <windows.h>

#include "installer/installer.h"

namespace {

void ShowErrorBox(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONERROR); }

}  // namespace

extern "C" void WinMainCRTStartup() {
  SetUnhandledExceptionFilter(ReportUncaughtException);
  ExitProcess(static_cast<UINT>(RunInstallerProgram(ShowErrorBox)));
}
