// Starts a program from a command line: hidden without waiting for it (the editor's
// compile), or sharing the caller's console and waited for (the batch program's).
#pragma once
#include <string>

namespace platform {

// The code WinExec returns (above 31 means started); callers may ignore it.
unsigned StartHidden(const std::string& commandLine);

struct ProcessEnd {
  enum class Kind {
    NotStarted,    // `code` is the system's error code
    NotAwaitable,  // started, but the system gave no process to wait for (Wine does so
                   // for a program that is no Windows program, such as a shell script)
    Exited,        // `code` is the program's exit code
  };
  Kind kind;
  unsigned long code;
};

// Starts the program in the caller's console and current directory, its standard output
// and error sent to the caller's standard error (the caller's standard output stays its
// own), and waits for it to end.
ProcessEnd RunAndWait(const std::string& commandLine);

}  // namespace platform
