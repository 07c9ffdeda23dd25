// The library's only export and its DllMain (bookkeeping only).
#include <windows.h>

#include "addin/quelvar.h"
#include "ui/application.h"

extern "C" uint8_t __stdcall INITEXPERT0016(TIHostServices* services, TExpertRegisterProc registerProc,
                                              TExpertTerminateProc* terminate) {
  return InitExpert(services, registerProc, terminate);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    ui::Application::Get().SetInstance(instance);
  }
  return TRUE;
}
