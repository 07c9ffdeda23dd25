// The guard every call into the host goes through. The host IDE reports a failure as an
// operating-system exception (its language's exception, code 0x0EEDFADE, or a fault such
// as an access violation), which no C++ catch sees. Call runs one host operation so that
// such an exception comes out as base::Error carrying the host's message: C++ unwinding
// then releases what is held and the message is reported as one of our own would be.
#pragma once
#include <string>
#include <utility>

#include "base/os_exception.h"

namespace hostapi {

using base::kAccessViolationCode;
using base::kLanguageExceptionCode;
using base::RaiseSimulatedOsException;

// The message shown for an OS exception from the host.
inline std::string HostExceptionText(uint32_t code, const std::string& languageMessage) {
  return base::OsExceptionText(code, languageMessage, base::FaultSite::Host);
}

// Runs `operation` (one call into the host) and returns its result.
template <typename F>
auto Call(F&& operation) -> decltype(operation()) {
  return base::ContainOsExceptions(std::forward<F>(operation), base::FaultSite::Host);
}

}  // namespace hostapi
