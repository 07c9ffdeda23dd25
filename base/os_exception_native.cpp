// The guard where the system has no OS exceptions: the stand-in host's simulated ones, a
// jump to the innermost guard with setjmp and longjmp, which unwinds nothing, as an OS
// exception reaching the guard's handler unwinds none of the frames between.
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "base/os_exception.h"

namespace base {
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
  if (!frame || !IsCaughtOsException(code)) std::abort();  // nobody takes it: the process ends
  frame->code = code;
  std::strncpy(frame->message, languageMessage ? languageMessage : "", sizeof frame->message - 1);
  std::longjmp(frame->jump, 1);
}

namespace detail {

void RunContained(Thunk thunk, void* context, FaultSite site) {
  GuardFrame frame;
  frame.outer = activeGuard;
  GuardFrame* volatile self = &frame;
  if (setjmp(frame.jump)) {
    activeGuard = self->outer;
    const std::string text = OsExceptionText(self->code, self->message, site);
    if (site == FaultSite::Ours) throw OsFault(text);
    throw Error(text);
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
}  // namespace base
