// The guard on Windows. GCC has no __try/__except on i686, so the guard does what Wine's
// own __TRY macros do: it puts a handler record of its own on the thread's exception chain
// (fs:[0]) for the length of the call. An exception that the host does not handle itself
// reaches that handler, which copies the code and the message, lets RtlUnwind run the
// host's own unwinding (its finally blocks) down to the record, and jumps back into the
// guard with __builtin_longjmp. The exception is handled there, never continued. The
// frames skipped are the host's; ours hold nothing at a host call.
//
// x86-64 (a build for the tests only: no 64-bit host exists) has no chain to register
// on; there a vectored handler, consulted only while a guard is active on the thread,
// takes the place of the record and resumes the thread in the guard in the same way.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "base/error.h"
#include "host/host_call.h"

namespace hostapi::detail {
namespace {

struct Failure {
  DWORD code = 0;
  char message[512] = {};
};

// The language's exception object: its class pointer, then its message, a pointer to the
// text's characters (zero-terminated) with the length in the 4 bytes before them. Read
// with care: the exception may come from a host too broken to lay it out.
void CopyLanguageMessage(const EXCEPTION_RECORD& record, Failure& failure) {
  if (record.ExceptionCode != kLanguageExceptionCode || record.NumberParameters < 2) return;
  const auto* object = reinterpret_cast<const char* const*>(record.ExceptionInformation[1]);
  if (!object || IsBadReadPtr(object, 2 * sizeof(void*))) return;
  const char* text = object[1];
  if (!text || IsBadReadPtr(text - 4, 4)) return;
  int32_t length = 0;
  std::memcpy(&length, text - 4, sizeof length);
  if (length <= 0) return;
  const size_t n = std::min<size_t>(static_cast<size_t>(length), sizeof failure.message - 1);
  if (IsBadReadPtr(text, n)) return;
  size_t i = 0;
  for (; i < n && text[i]; ++i) failure.message[i] = text[i];
  failure.message[i] = '\0';
}

#if defined(__i386__)

struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD record;  // first: the chain points here
  void* jump[5];
  Failure failure;
};

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  auto* frame = static_cast<GuardFrame*>(establisher);
  frame->failure.code = record->ExceptionCode;
  CopyLanguageMessage(*record, frame->failure);
  RtlUnwind(establisher, nullptr, record, nullptr);  // the host's frames below ours
  __builtin_longjmp(frame->jump, 1);
}

// The head of the thread's exception chain, at fs:[0].
EXCEPTION_REGISTRATION_RECORD* ChainHead() {
  EXCEPTION_REGISTRATION_RECORD* head;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}
void SetChainHead(EXCEPTION_REGISTRATION_RECORD* head) { __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

// Returns false with `failure` set when an OS exception ended the call.
__attribute__((noinline)) bool RunOnChain(Thunk thunk, void* context, Failure& failure,
                                          std::exception_ptr& thrown) {
  GuardFrame frame;
  frame.record.Handler = reinterpret_cast<PEXCEPTION_ROUTINE>(&GuardHandler);
  frame.record.Next = ChainHead();
  GuardFrame* volatile self = &frame;
  if (__builtin_setjmp(frame.jump)) {
    SetChainHead(self->record.Next);
    failure = self->failure;
    return false;
  }
  SetChainHead(&frame.record);
  try {
    thunk(context);
  } catch (...) {
    thrown = std::current_exception();  // never unwinds past the record
  }
  SetChainHead(frame.record.Next);
  return true;
}

#else

struct GuardFrame {
  void* jump[5];
  Failure failure;
  GuardFrame* outer;
};

thread_local GuardFrame* activeGuard = nullptr;

// A vectored handler sees every exception first: the C++ runtime's own (GCC's throws are
// exceptions there) and informational ones are not the host's failures.
bool IsHostException(DWORD code) {
  return code == kLanguageExceptionCode || (code & 0xC0000000) == 0xC0000000;
}

[[noreturn]] void LandInGuard() { __builtin_longjmp(activeGuard->jump, 1); }

LONG CALLBACK GuardVectored(EXCEPTION_POINTERS* info) {
  GuardFrame* frame = activeGuard;
  if (!frame || !IsHostException(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
  frame->failure.code = info->ExceptionRecord->ExceptionCode;
  CopyLanguageMessage(*info->ExceptionRecord, frame->failure);
  // Resume below the faulting frame, on a fresh aligned slot, in a function that jumps.
  CONTEXT& context = *info->ContextRecord;
  context.Rsp = ((context.Rsp - 256) & ~static_cast<DWORD64>(15)) - 8;
  context.Rip = reinterpret_cast<DWORD64>(&LandInGuard);
  return EXCEPTION_CONTINUE_EXECUTION;
}

__attribute__((noinline)) bool RunOnChain(Thunk thunk, void* context, Failure& failure,
                                          std::exception_ptr& thrown) {
  static PVOID installed = AddVectoredExceptionHandler(1, &GuardVectored);
  (void)installed;
  GuardFrame frame;
  frame.outer = activeGuard;
  GuardFrame* volatile self = &frame;
  if (__builtin_setjmp(frame.jump)) {
    activeGuard = self->outer;
    failure = self->failure;
    return false;
  }
  activeGuard = &frame;
  try {
    thunk(context);
  } catch (...) {
    thrown = std::current_exception();
  }
  activeGuard = frame.outer;
  return true;
}

#endif

}  // namespace

void RunGuarded(Thunk thunk, void* context) {
  Failure failure;
  std::exception_ptr thrown;
  if (!RunOnChain(thunk, context, failure, thrown)) {
    throw base::Error(HostExceptionText(failure.code, failure.message));
  }
  if (thrown) std::rethrow_exception(thrown);
}

}  // namespace hostapi::detail
