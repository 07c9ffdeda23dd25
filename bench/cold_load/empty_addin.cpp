// The yardstick of the cold-load benchmark: an add-in library that does nothing, built
// with the shipped library's flags and runtime.
#include <windows.h>

#include <cstdint>

extern "C" __declspec(dllexport) uint8_t __stdcall INITEXPERT0016(void*, void*, void*) { return 0; }
