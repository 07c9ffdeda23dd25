// Where the installer says the add-in library lies: beside the installer itself.
#pragma once
#include <cstddef>

#include "base/ansi_path.h"

extern const char kLibraryFileName[];  // "Tallowin.dll"

// Writes into `out` the directory of the program file (up to and including its last '\'
// or ':', double-byte characters taken whole) followed by "Tallowin.dll". False, with
// nothing written, when that does not fit in `size` bytes.
bool LibraryPathFor(const char* programPath, base::LeadByteTest lead, char* out, size_t size);
