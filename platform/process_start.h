// Starts a program from a command line, hidden, without waiting for it.
#pragma once
#include <string>

namespace platform {

// The code WinExec returns (above 31 means started); callers may ignore it.
unsigned StartHidden(const std::string& commandLine);

}  // namespace platform
