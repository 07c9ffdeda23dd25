// The yardstick of the cold-load benchmark: an add-in library that does nothing and
// imports nothing but KERNEL32: what any add-in costs its host at the least.
#include <windows.h>

#include <cstdint>

extern "C" BOOL WINAPI EmptyAddInEntry(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

extern "C" __declspec(dllexport) uint8_t __stdcall INITEXPERT0016(void*, void*, void*) { return 0; }
