// One cold load of an add-in library, as the host pays it at its start: LoadLibrary and
// INITEXPERT0016 with a stand-in host, in a process that is what a host is at that moment
// (a GUI program with its main window: USER32, GDI32 and ADVAPI32 loaded; COMCTL32 and
// COMDLG32 not). Prints the microseconds taken.
// Usage: cold_load LIBRARY
#include <windows.h>

#include <cstdio>

#include "hostsim/host.h"

namespace {

uint8_t __stdcall RegisterExpert(TIExpert*) { return 1; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: cold_load LIBRARY\n", stderr);
    return 1;
  }
  // The host's main window, made before the clock starts.
  HWND mainWindow = CreateWindowExA(0, "STATIC", "Delphi 2.0", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key);
  if (key) RegCloseKey(key);
  hostsim::Host host;
  host.hostWindow = mainWindow;
  host.AddMenuItem("", "EditMenu", "編集");
  host.AddMenuItem("EditMenu", "EditObjectItem", "オブジェクト");
  using InitExpert = uint8_t(__stdcall*)(TIHostServices*, TExpertRegisterProc, TExpertTerminateProc*);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  HMODULE library = LoadLibraryA(argv[1]);
  if (!library) return 2;
  auto init = reinterpret_cast<InitExpert>(reinterpret_cast<void (*)()>(GetProcAddress(library, "INITEXPERT0016")));
  TExpertTerminateProc terminate = nullptr;
  if (init) init(host.services(), RegisterExpert, &terminate);
  QueryPerformanceCounter(&end);
  std::printf("%.0f\n", static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
  return 0;
}
