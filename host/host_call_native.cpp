// The guard where the system has no OS exceptions: the stand-in host's simulated ones, a
// jump to the innermost guard with setjmp and longjmp, which unwinds nothing, as an OS
// exception reaching the guard's handler unwinds none of our frames.
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "host/host_call.h"

namespace hostapi {
namespace {

struct GuardFrame {
  std::jmp_buf jump;
  uint32_t code = 0;
  char message[512] = {};
  GuardFrame* outer = nullptr;
};

thread_local GuardFrame* activeGuard = nullptr;

}  // namespace

void RaiseSimulatedOsException(uint32_t code, const char* languageMessage) {
  GuardFrame* frame = activeGuard;
  if (!frame) std::abort();
  frame->code = code;
  std::strncpy(frame->message, languageMessage ? languageMessage : "", sizeof frame->message - 1);
  std::longjmp(frame->jump, 1);
}

namespace detail {

void RunGuarded(Thunk thunk, void* context) {
  GuardFrame frame;
  frame.outer = activeGuard;
  GuardFrame* volatile self = &frame;
  if (setjmp(frame.jump)) {
    activeGuard = self->outer;
    throw base::Error(HostExceptionText(self->code, self->message));
  }
  activeGuard = &frame;
  try {
    thunk(context);
  } catch (...) {
    activeGuard = frame.outer;
    throw;
  }
  activeGuard = frame.outer;
}

}  // namespace detail
}  // namespace hostapi
