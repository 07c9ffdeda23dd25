// One guard for every call into the host. The host IDE reports a failure as an operating-
// system exception (its language's exception, code 0x0EEDFADE, or a fault such as an
// access violation), which no C++ catch sees. Call runs one host operation so that such
// an exception comes out as base::Error carrying the host's message: C++ unwinding then
// releases what is held and the message is reported as one of our own would be.
#pragma once
#include <cstdint>
#include <string>
#include <type_traits>

namespace hostapi {

// The code the host's language raises its exceptions with.
constexpr uint32_t kLanguageExceptionCode = 0x0EEDFADE;
constexpr uint32_t kAccessViolationCode = 0xC0000005;

// The message shown for an OS exception from the host: the language exception's own
// message when it has one, else a text naming the exception and its code.
std::string HostExceptionText(uint32_t code, const std::string& languageMessage);

// Where a system has no OS exceptions (the native build), a stand-in host raises the same
// failures through this. Like an OS exception it is no C++ exception: it jumps straight to
// the innermost guard, past every frame between and any catch in them; without a guard the
// process ends, as it would on an exception nobody handles. Defined in the native build only.
[[noreturn]] void RaiseSimulatedOsException(uint32_t code, const char* languageMessage);

namespace detail {
using Thunk = void (*)(void* context);
// Runs thunk(context); an OS exception raised inside raises base::Error instead.
void RunGuarded(Thunk thunk, void* context);

template <typename F>
void Invoke(void* context) {
  (*static_cast<F*>(context))();
}
}  // namespace detail

// Runs `operation` (one call into the host) and returns its result.
template <typename F>
auto Call(F&& operation) -> decltype(operation()) {
  using Result = decltype(operation());
  if constexpr (std::is_void_v<Result>) {
    auto run = [&operation] { operation(); };
    detail::RunGuarded(&detail::Invoke<decltype(run)>, &run);
  } else {
    Result result{};
    auto run = [&operation, &result] { result = operation(); };
    detail::RunGuarded(&detail::Invoke<decltype(run)>, &run);
    return result;
  }
}

}  // namespace hostapi
