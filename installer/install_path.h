// Where the installer says the add-in library lies: beside the installer itself.
#pragma once
#include <string>

#include "base/ansi_path.h"

// The directory of the program file (up to and including its last '\' or ':', double-
// byte characters taken whole) followed by "Tallowin.dll".
std::string LibraryPathFor(const std::string& programPath, base::LeadByteTest lead);
