// The library's only export and its DllMain (bookkeeping only).
#include <windows.h>

#include "addin/quelvar.h"
#include "ui/application.h"

// The start-up code of the C runtime calls this to run static thread-local initialisers,
// of which the library has none. Defined here, it keeps the runtime's TLS support out of
// the link, and with it the TLS directory that Windows 95, 98 and Me refuse to load.
extern "C" const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = nullptr;

// function INITEXPERT0016(ToolServices, RegisterProc, var Terminate): Boolean; stdcall.
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
