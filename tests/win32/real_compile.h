// The compile command's ports over the real script file and process start, and a bounded
// wait for the file the compiler writes on its own.
#pragma once
#include <windows.h>

#include <string>

#include "editor/resource_compile.h"
#include "platform/process_start.h"
#include "platform/script_file.h"
#include "tests/win32/win_temp_dir.h"

namespace testsupport {

inline editor::CompilePorts RealPorts(bool* reported) {
  return {[](const std::string& path, const std::string& text) { platform::WriteScriptFile(path, text); },
          [](const std::string& commandLine) { platform::StartHidden(commandLine); },
          [reported] { *reported = true; }};
}

// True once the file exists (then given a moment to be completed), false after `seconds`.
inline bool WaitForFile(const std::string& path, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (FileExists(path)) {
      Sleep(300);
      return true;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace testsupport
