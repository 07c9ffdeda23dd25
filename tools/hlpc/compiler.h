// The help compiler: source text in, the bytes of a WinHelp 4.0 file out.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/hlpc/help_source.h"

namespace hlpc {

struct CompileOptions {
  uint32_t date = 0;  // |SYSTEM's date, seconds since 1970: fixed so that builds repeat
  std::string helpFileName = "help.hlp";  // the contents file's ":Base"
};

struct CompileResult {
  std::string file;         // empty when the source was refused
  std::string contents;     // the contents file (.cnt); empty when the source was refused
  Diagnostics diagnostics;  // sorted by line
};

CompileResult CompileHelp(std::string_view source, const CompileOptions& options);

}  // namespace hlpc
