// The host's resource compiler as the editor finds it: brc32.exe in the folder of the
// host's program, which the host's installation key names.
#pragma once
#include <string>

#include "base/ansi_path.h"

namespace editor {

// Empty when the key "Software\Borland\Delphi\2.0" of HKEY_LOCAL_MACHINE is missing or
// cannot be opened with full access; the bare "brc32.exe" when the key names no program.
// A value of another type than text raises "'%s' のﾃﾞｰﾀ型が不正です".
std::string HostCompilerPath(base::LeadByteTest lead);

}  // namespace editor
