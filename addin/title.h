// The add-in's application title, from its library's file name.
#pragma once
#include <string>

#include "base/ansi_path.h"

// The file name without its directory, cut at its first ".", the first letter as it
// is and every further letter in lower case: "Tallowin" for "C:\x\TALLOWIN.DLL".
std::string AddInTitle(const std::string& libraryPath, base::LeadByteTest lead);
