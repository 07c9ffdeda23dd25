// Natively and on i686 the host's handler is the guard (host/host_call.h), whose handler
// record sits on the thread's chain as the IDE's own would. On x86-64 Windows the guard's
// vectored handler is per module and consulted first: the add-in's copy serves its own
// guard, so the host must not wrap its calls into the add-in in one (its handler could take
// an exception meant for the add-in's inner guard). The host's handler there is a vectored
// handler consulted last, active only while a call into the add-in runs on the thread.
#include "hostsim/addin_catch.h"

#include <algorithm>
#include <exception>

#include "host/host_call.h"
#include "hostsim/foreign_call.h"

#ifdef _WIN32
#include <windows.h>

#include "hostsim/foreign_memory.h"
#endif

namespace hostsim {
namespace {

// A C++ exception reaches here only from an add-in that is our own code (a test).
bool RunCpp(const std::function<void()>& call, std::string& message) {
  try {
    call();
    return true;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "unknown C++ exception";
  }
  return false;
}

}  // namespace

#if defined(_WIN32) && defined(__x86_64__)

namespace {

struct CatchFrame {
  void* jump[5];
  DWORD code = 0;
  char message[512] = {};
  CatchFrame* outer = nullptr;
};

thread_local CatchFrame* innermost = nullptr;

// The language exception's object: its class pointer, then its message (a host string).
// Read without trusting it: a broken add-in may raise anything with that code.
void CopyLanguageMessage(const EXCEPTION_RECORD& record, CatchFrame& frame) {
  if (record.ExceptionCode != hostapi::kLanguageExceptionCode || record.NumberParameters < 2) return;
  const char* object[2];
  int32_t length = 0;
  if (!CopyForeign(reinterpret_cast<const void*>(record.ExceptionInformation[1]), object, sizeof object) ||
      !object[1] || !CopyForeign(object[1] - 4, &length, sizeof length) || length <= 0) {
    return;
  }
  const size_t n = std::min(static_cast<size_t>(length), sizeof frame.message - 1);
  if (CopyForeign(object[1], frame.message, n)) frame.message[n] = '\0';
}

[[noreturn]] void Land() { __builtin_longjmp(innermost->jump, 1); }

// The host's failures: its language exception and the error class (faults). The C++
// runtime's own exceptions and informational codes pass.
LONG CALLBACK TakeForHost(EXCEPTION_POINTERS* info) {
  CatchFrame* frame = innermost;
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  if (!frame || (code != hostapi::kLanguageExceptionCode && (code & 0xC0000000) != 0xC0000000)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  frame->code = code;
  CopyLanguageMessage(*info->ExceptionRecord, *frame);
  // Resume below the faulting frame, on a fresh aligned slot, in a function that jumps.
  CONTEXT& context = *info->ContextRecord;
  context.Rsp = ((context.Rsp - 256) & ~static_cast<DWORD64>(15)) - 8;
  context.Rip = reinterpret_cast<DWORD64>(&Land);
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

__attribute__((noinline)) bool RunCatching(const std::function<void()>& call, std::string& message) {
  static PVOID handler = AddVectoredExceptionHandler(0, &TakeForHost);
  (void)handler;
  CatchFrame frame;
  frame.outer = innermost;
  CatchFrame* volatile self = &frame;
  if (__builtin_setjmp(frame.jump)) {
    innermost = self->outer;
    message = hostapi::HostExceptionText(self->code, self->message);
    return false;
  }
  innermost = &frame;
  const bool ran = RunCpp(call, message);
  innermost = frame.outer;
  return ran;
}

#else

bool RunCatching(const std::function<void()>& call, std::string& message) {
  OpenCalls* open = OpenCallsMark();
  const bool ran = RunCpp([&call] { hostapi::Call(call); }, message);
  RestoreOpenCalls(open);  // calls that the exception ended abruptly
  return ran;
}

#endif

#if defined(_WIN32) && defined(__i386__)

bool AddInHandlerOnChain() {
  auto moduleOf = [](const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
  };
  const HMODULE own = moduleOf(reinterpret_cast<const void*>(&AddInHandlerOnChain));
  EXCEPTION_REGISTRATION_RECORD* record;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(record));
  bool foreign = false;
  for (; record && record != reinterpret_cast<EXCEPTION_REGISTRATION_RECORD*>(-1); record = record->Next) {
    if (moduleOf(reinterpret_cast<const void*>(record->Handler)) == own) return foreign;
    foreign = true;
  }
  return false;  // no record of ours: no call into the add-in to judge
}

#else

bool AddInHandlerOnChain() { return false; }

#endif

}  // namespace hostsim
