// The guard on Windows. GCC has no __try/__except on i686, so the guard does what Wine's
// own __TRY macros do: it puts a handler record of its own on the thread's exception chain
// (fs:[0]) for the length of the call. An exception it takes reaches that handler, which
// copies the code and the message, lets RtlUnwind run the handlers of the frames below
// (the host's finally blocks) down to the record, and jumps back into the guard with
// __builtin_longjmp. The exception is handled there, never continued.
//
// x86-64 (a build for the tests only: no 64-bit host exists) has no chain to register
// on; there a vectored handler, consulted only while a guard is active on the thread,
// takes the place of the record and resumes the thread in the guard in the same way. It
// sees the innermost guard of its own module only: a guard of another module nested
// inside (the stand-in host's, around a call back into the add-in) is not known to it.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "base/os_exception.h"

namespace base::detail {
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

void Take(const EXCEPTION_RECORD& record, Failure& failure) {
  failure.code = record.ExceptionCode;
  CopyLanguageMessage(record, failure);
}

}  // namespace

#if defined(__i386__)

// RtlUnwind, called so that nothing the guard needs afterwards lives in a register:
// Windows NT's returns through a context it captured itself and gives EBX, ESI and EDI
// back changed. The wrapper keeps them and EBP on the stack across the call, through a
// variable so that tests can put a routine of their own in its place.
extern "C" void* tallowin_unwind_routine;
void* tallowin_unwind_routine = nullptr;  // RtlUnwind, taken at first use
extern "C" void __stdcall tallowin_UnwindTo(void* targetFrame, EXCEPTION_RECORD* record);
__asm__(
    ".text\n"
    ".globl _tallowin_UnwindTo@8\n"
    "_tallowin_UnwindTo@8:\n"
    "  pushl %ebp\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl $0\n"           // ReturnValue
    "  pushl 28(%esp)\n"     // ExceptionRecord
    "  pushl $0\n"           // TargetIp: come back here
    "  pushl 32(%esp)\n"     // TargetFrame
    "  call *_tallowin_unwind_routine\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  popl %ebp\n"
    "  ret $8\n");

void* ReplaceUnwindRoutine(void* routine) {
  void* replaced = tallowin_unwind_routine ? tallowin_unwind_routine : reinterpret_cast<void*>(&RtlUnwind);
  tallowin_unwind_routine = routine;
  return replaced;
}

namespace {

struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD record;  // first: the chain points here
  void* jump[5];
  Failure failure;
};

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  if (!IsCaughtOsException(record->ExceptionCode)) return ExceptionContinueSearch;
  auto* frame = static_cast<GuardFrame*>(establisher);
  Take(*record, frame->failure);
  if (!tallowin_unwind_routine) tallowin_unwind_routine = reinterpret_cast<void*>(&RtlUnwind);
  tallowin_UnwindTo(establisher, record);  // the frames below ours
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

}  // namespace

#else

namespace {

struct GuardFrame {
  void* jump[5];
  Failure failure;
  GuardFrame* outer;
};

thread_local GuardFrame* activeGuard = nullptr;

[[noreturn]] void LandInGuard() { __builtin_longjmp(activeGuard->jump, 1); }

LONG CALLBACK GuardVectored(EXCEPTION_POINTERS* info) {
  GuardFrame* frame = activeGuard;
  if (!frame || !IsCaughtOsException(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
  Take(*info->ExceptionRecord, frame->failure);
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

}  // namespace

#endif

void RunContained(Thunk thunk, void* context, FaultSite site) {
  Failure failure;
  std::exception_ptr thrown;
  if (!RunOnChain(thunk, context, failure, thrown)) {
    const std::string text = OsExceptionText(failure.code, failure.message, site);
    if (site == FaultSite::Ours) throw OsFault(text);
    throw Error(text);
  }
  if (thrown) std::rethrow_exception(thrown);
}

}  // namespace base::detail
