// Reads memory the add-in points at without trusting the pointer: an address that cannot
// be read is an answer, not a crash.
#pragma once
#include <cstddef>

namespace hostsim {

// Copies `size` bytes from `from`; false (with `to` undefined) when any of them cannot be read.
bool CopyForeign(const void* from, void* to, size_t size);

}  // namespace hostsim
