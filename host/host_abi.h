// The host's calling conventions, named once. The host is written in its own language and
// calls us as it calls add-ins written in it:
// - methods of its objects and of ours: stdcall, Self first, a string result as a hidden
//   variable address below Self (the lowest address), the callee pops everything;
// - its callbacks (the registration procedure, a menu click): its default "register"
//   convention, the first argument in EAX, the second in EDX, nothing on the stack;
// - Booleans and small sets: one byte, in AL.
// Other targets (the x86-64 test build, the native build) have one convention: the same
// declarations then mean plain calls, in the same argument order.
#pragma once
#include <cstdint>

#if defined(__i386__) || defined(_M_IX86)
#define HOSTAPI __stdcall
#define HOSTREGISTER __attribute__((regparm(2)))
#else
#define HOSTAPI
#define HOSTREGISTER
#endif

struct HWND__;   // the same type as windows.h's HWND
struct HICON__;  // and HICON

namespace hostapi {

// One of the host's long strings: a pointer to its first character, null for the empty
// string. The 32-bit length sits 4 bytes before the characters, the 32-bit reference count
// 8 bytes before them (-1 for a constant, which the host never changes or frees and copies
// when it assigns it); a zero byte follows the characters. Only host_string.h looks inside.
struct HostChars;
using HostStr = HostChars*;

// Any entry of a table whose operation we never call.
using UnusedEntry = void (*)();

}  // namespace hostapi
