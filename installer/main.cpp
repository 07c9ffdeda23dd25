// The installer program: no window of its own, only message boxes.
#include <windows.h>

#include <exception>

#include "base/error.h"
#include "installer/installer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  try {
    return RunInstaller(program, [](const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONERROR); });
  } catch (const base::Error& e) {
    return ReportFatal("ERegistryException", e.what());
  } catch (const std::exception& e) {
    return ReportFatal("Exception", e.what());
  }
}
