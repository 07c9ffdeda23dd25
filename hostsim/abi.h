// The host's calling conventions as the stand-in spells them. Its entries are plain
// functions with Self spelled out (a string result's variable before it); the add-in's
// callbacks use the host's register convention (EAX, EDX, nothing on the stack).
#pragma once
#include <cstdint>

#if defined(__i386__)
#define HOSTSIM_STDCALL __attribute__((stdcall))
#define HOSTSIM_REGISTER __attribute__((regparm(2)))
#else
#define HOSTSIM_STDCALL  // other targets have one convention
#define HOSTSIM_REGISTER
#endif

namespace hostsim {

// One slot of a table; the caller casts it back to the slot's own type.
using Entry = void (*)();
// A long string of the host: a pointer to its characters, null for the empty string.
using HostStr = char*;

}  // namespace hostsim
