#include "hostsim/raise.h"

#include <cstdint>
#include <cstring>

#include "host/host_call.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace hostsim {
namespace {

// Stands for the class of the exception object (the host's VMT); never read.
const char kClassStandIn[] = "Exception";

}  // namespace

LanguageException::LanguageException(const std::string& message) {
  const int32_t refCount = -1, length = static_cast<int32_t>(message.size());
  storage_.append(reinterpret_cast<const char*>(&refCount), 4);
  storage_.append(reinterpret_cast<const char*>(&length), 4);
  storage_ += message;
  storage_ += '\0';
  object_ = Layout{kClassStandIn, storage_.data() + 8};
}

#ifdef _WIN32

void RaiseLanguageException(const LanguageException& exception) {
  ULONG_PTR parameters[7] = {reinterpret_cast<ULONG_PTR>(__builtin_return_address(0)),
                             reinterpret_cast<ULONG_PTR>(&exception.object())};
  RaiseException(hostapi::kLanguageExceptionCode, EXCEPTION_NONCONTINUABLE, 7, parameters);
  __builtin_unreachable();
}

void RaiseAccessViolation() {
  // A real fault, not a raised code: the processor's own access violation.
  static volatile uintptr_t nowhere = 0x10;  // in the first page, never mapped
  *reinterpret_cast<volatile int32_t*>(nowhere) = 0;
  __builtin_unreachable();
}

#else

void RaiseLanguageException(const LanguageException& exception) {
  hostapi::RaiseSimulatedOsException(hostapi::kLanguageExceptionCode, exception.object().message);
}

void RaiseAccessViolation() { hostapi::RaiseSimulatedOsException(hostapi::kAccessViolationCode, nullptr); }

#endif

}  // namespace hostsim
