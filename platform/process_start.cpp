#include "platform/process_start.h"

#include <windows.h>

namespace platform {

unsigned StartHidden(const std::string& commandLine) {
  return WinExec(commandLine.c_str(), SW_HIDE);
}

}  // namespace platform
