// The library's only export and its DllMain (bookkeeping only).
#include <windows.h>

#include <exception>

#include "addin/globals.h"
#include "addin/quelvar.h"
#include "addin/title.h"
#include "platform/lead_byte.h"
#include "ui/application.h"

extern "C" uint8_t __stdcall INITEXPERT0016(TIHostServices* services, TExpertRegisterProc registerProc,
                                              TExpertTerminateProc* /*terminate: left untouched*/) {
  if (HostServices) return 0;  // a second call changes nothing
  // A null services object is refused: every failure report would call into it.
  if (!services) return 0;
  HostServices = services;
  try {
    ui::Application& app = ui::Application::Get();
    app.SetOwner(services->GetHostWindow());
    char path[MAX_PATH] = {};
    GetModuleFileNameA(app.instance(), path, MAX_PATH);
    app.SetTitle(AddInTitle(path, platform::IsSystemLeadByte));
    TQuelvar* expert = new TQuelvar();
    if (registerProc) registerProc(expert);
  } catch (const std::exception& e) {
    ReportException(e.what());
  } catch (...) {
    ReportException("");
  }
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    ui::Application::Get().SetInstance(instance);
  }
  return TRUE;
}
