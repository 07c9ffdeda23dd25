// Operating-system exceptions caught at a guard and turned into base::Error: a processor
// fault, or an exception another language raised through the system (the host IDE reports
// its failures so, code 0x0EEDFADE). No C++ catch sees them; a guard does, for the length
// of one call, and the message then travels as our own errors do.
//
// Only failures are taken: that language's exception and the error-class codes (the top
// two bits set), never a stack overflow (whoever handles it must re-arm the guard page)
// and never a breakpoint or other warning; those continue the search past the guard.
#pragma once
#include <cstdint>
#include <string>
#include <type_traits>

#include "base/error.h"

namespace base {

constexpr uint32_t kLanguageExceptionCode = 0x0EEDFADE;
constexpr uint32_t kAccessViolationCode = 0xC0000005;
constexpr uint32_t kStackOverflowCode = 0xC00000FD;

// Whether a guard takes an exception of this code.
bool IsCaughtOsException(uint32_t code);

// Where the code that failed is: the host's (a call into it) or ours.
enum class FaultSite { Host, Ours };

// The message of a caught exception: the language exception's own message when it has
// one, else a text naming the exception and its code, and the host when it was the host's.
std::string OsExceptionText(uint32_t code, const std::string& languageMessage, FaultSite site);

// A fault in our own code, caught by a guard of ours. The frames between the fault and the
// guard were left without running their destructors: whoever catches this puts back what
// they would have (ui::AbandonModalRuns).
class OsFault : public Error {
 public:
  using Error::Error;
};

// Where a system has no OS exceptions (the native build), the stand-in host raises its
// failures through this: like an OS exception it is no C++ exception but a jump straight to
// the innermost guard, past every frame and catch between; with no guard the process ends.
// Defined in the native build only.
[[noreturn]] void RaiseSimulatedOsException(uint32_t code, const char* languageMessage);

namespace detail {
using Thunk = void (*)(void* context);
// Runs thunk(context). An OS exception it takes raises Error (a host's) or OsFault (ours)
// once the guard is off the thread; a C++ exception passes through.
void RunContained(Thunk thunk, void* context, FaultSite site);

template <typename F>
void Invoke(void* context) {
  (*static_cast<F*>(context))();
}

#if defined(_WIN32) && defined(__i386__)
// The routine the guard unwinds with (RtlUnwind); tests put one in its place that gives
// EBX, ESI and EDI back changed, as Windows NT's does. Returns the one replaced.
void* ReplaceUnwindRoutine(void* routine);
#endif
}  // namespace detail

// Runs `operation` under a guard and returns its result. Allocates nothing.
template <typename F>
auto ContainOsExceptions(F&& operation, FaultSite site) -> decltype(operation()) {
  using Result = decltype(operation());
  if constexpr (std::is_void_v<Result>) {
    auto run = [&operation] { operation(); };
    detail::RunContained(&detail::Invoke<decltype(run)>, &run, site);
  } else {
    Result result{};
    auto run = [&operation, &result] { result = operation(); };
    detail::RunContained(&detail::Invoke<decltype(run)>, &run, site);
    return result;
  }
}

}  // namespace base
