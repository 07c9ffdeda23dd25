// The stand-in host's failures, raised the way the host IDE raises them: its language's
// exception (code 0x0EEDFADE, non-continuable, 7 parameters; parameter 1 the exception
// object) or an access violation. Natively, where there are no OS exceptions, both go through
// hostapi::RaiseSimulatedOsException: a jump to the guard that no C++ catch sees either.
#pragma once
#include <string>

namespace hostsim {

// An exception object as the host's language lays it out: its class pointer, then its
// message as a pointer to zero-terminated characters with the length in the 4 bytes before.
class LanguageException {
 public:
  explicit LanguageException(const std::string& message);
  LanguageException(const LanguageException&) = delete;
  LanguageException& operator=(const LanguageException&) = delete;

  struct Layout {
    const void* classPointer;
    const char* message;
  };
  const Layout& object() const { return object_; }

 private:
  Layout object_;
  std::string storage_;  // reference count, length, characters, NUL
};

// Neither returns. Nothing owning may be alive in the caller's frames down to the guard:
// the host's own frames are not unwound by a C++ runtime.
[[noreturn]] void RaiseLanguageException(const LanguageException& exception);
[[noreturn]] void RaiseAccessViolation();

}  // namespace hostsim
