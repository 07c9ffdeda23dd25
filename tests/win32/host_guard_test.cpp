// The guard against OS exceptions raised by hand in the shapes a host may give them: the
// language's exception object read with care, other codes named, breakpoints and stack
// overflows left to whoever handles them. On i686 every case also runs with an RtlUnwind
// that gives EBX, ESI and EDI back changed, as Windows NT's does (Wine's keeps them).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <stdexcept>

#include "base/error.h"
#include "host/host_call.h"
#include "tests/support/fault_now.h"

namespace {

#if defined(__i386__)
// RtlUnwind, then EBX, ESI and EDI cleared before it returns.
extern "C" void __stdcall ClobberingUnwind(void*, void*, EXCEPTION_RECORD*, void*);
__asm__(
    ".text\n"
    ".globl _ClobberingUnwind@16\n"
    "_ClobberingUnwind@16:\n"
    "  pushl 16(%esp)\n"
    "  pushl 16(%esp)\n"
    "  pushl 16(%esp)\n"
    "  pushl 16(%esp)\n"
    "  call *__imp__RtlUnwind@16\n"
    "  xorl %ebx, %ebx\n"
    "  xorl %esi, %esi\n"
    "  xorl %edi, %edi\n"
    "  ret $16\n");

void* ChainHead() {
  void* head;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}
#endif

enum class Unwind { System, Clobbering };

// Runs every test of a suite once with each RtlUnwind.
class WithUnwind : public testing::TestWithParam<Unwind> {
 protected:
  void SetUp() override {
#if defined(__i386__)
    if (GetParam() == Unwind::Clobbering) {
      replaced_ = base::detail::ReplaceUnwindRoutine(reinterpret_cast<void*>(&ClobberingUnwind));
    }
#endif
  }
  void TearDown() override {
#if defined(__i386__)
    if (replaced_) base::detail::ReplaceUnwindRoutine(replaced_);
#endif
  }
  void* replaced_ = nullptr;
};

std::string UnwindName(const testing::TestParamInfo<Unwind>& info) {
  return info.param == Unwind::System ? "SystemUnwind" : "ClobberingUnwind";
}

// A language exception object with a message of `length` bytes as its header says.
struct ObjectWithMessage {
  explicit ObjectWithMessage(const std::string& text, int32_t length) : storage(8 + text.size() + 1, '\0') {
    std::memcpy(&storage[4], &length, 4);
    std::memcpy(&storage[8], text.data(), text.size());
    layout[0] = "class";
    layout[1] = &storage[8];
  }
  std::string storage;
  const void* layout[2];
};

struct RaiseCase {
  const char* what;
  DWORD code;
  int parameters;        // how many of the exception's parameters are given
  bool withObject;       // parameter 1 points at an exception object
  const char* text;      // its message
  int32_t length;        // the length its header gives
  const char* expected;  // what the guard's error says
};

const char kLanguage[] = "ﾎｽﾄの処理中に例外が発生しました (例外ｺｰﾄﾞ 0EEDFADE)";

const RaiseCase kRaises[] = {
    {"the language's exception", 0x0EEDFADE, 7, true, "Invalid pointer operation", 25, "Invalid pointer operation"},
    {"a Japanese message", 0x0EEDFADE, 7, true, "ﾌｧｲﾙが見つかりません", 20, "ﾌｧｲﾙが見つかりません"},
    {"a header shorter than the text: cut there", 0x0EEDFADE, 7, true, "abcdef", 3, "abc"},
    {"an empty message", 0x0EEDFADE, 7, true, "", 0, kLanguage},
    {"a negative length", 0x0EEDFADE, 7, true, "abc", -1, kLanguage},
    {"no object", 0x0EEDFADE, 7, false, nullptr, 0, kLanguage},
    {"no parameters", 0x0EEDFADE, 0, false, nullptr, 0, kLanguage},
    {"an access violation", 0xC0000005, 0, false, nullptr, 0, "ﾎｽﾄの処理中にｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)"},
    {"an integer division by zero", 0xC0000094, 0, false, nullptr, 0,
     "ﾎｽﾄの処理中に整数の 0 除算が発生しました (例外ｺｰﾄﾞ C0000094)"},
    {"a code of no name", 0xE0001234, 0, false, nullptr, 0, "ﾎｽﾄの処理中に例外が発生しました (例外ｺｰﾄﾞ E0001234)"}};

class HostGuard : public WithUnwind {};

TEST_P(HostGuard, TurnsEveryShapeOfRaiseIntoOurError) {
  for (const RaiseCase& c : kRaises) {
    ObjectWithMessage object(c.text ? c.text : "", c.length);
    ULONG_PTR parameters[7] = {0x401000, c.withObject ? reinterpret_cast<ULONG_PTR>(object.layout) : 0};
    try {
      hostapi::Call([&] { RaiseException(c.code, EXCEPTION_NONCONTINUABLE, c.parameters, parameters); });
      ADD_FAILURE() << c.what << ": nothing raised";
    } catch (const base::Error& e) {
      EXPECT_STREQ(e.what(), c.expected) << c.what;
    }
  }
}

TEST_P(HostGuard, AMessageBehindAnUnreadablePointerIsNotRead) {
  const void* layout[2] = {"class", reinterpret_cast<const char*>(0x20)};  // in the unmapped first page
  ULONG_PTR parameters[7] = {0, reinterpret_cast<ULONG_PTR>(layout)};
  EXPECT_THROW(hostapi::Call([&] { RaiseException(0x0EEDFADE, EXCEPTION_NONCONTINUABLE, 7, parameters); }),
               base::Error);
}

// A real fault of our own code: the text names no host, and the error says that frames
// were left without their destructors.
TEST_P(HostGuard, OurOwnFaultIsAnOsFault) {
  try {
    base::ContainOsExceptions([] { testsupport::FaultNow(); }, base::FaultSite::Ours);
    ADD_FAILURE() << "nothing raised";
  } catch (const base::OsFault& e) {
    EXPECT_STREQ(e.what(), "ｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)");
  }
}

// A guard inside a guarded call, and guards one after another: each failure is caught by
// the innermost guard, and the thread's handlers are as they were afterwards.
TEST_P(HostGuard, NestsAndLeavesTheThreadAsItWas) {
#if defined(__i386__)
  void* chainBefore = ChainHead();
#endif
  std::string inner;
  for (int round = 0; round < 3; ++round) {
    hostapi::Call([&] {
      try {
        hostapi::Call([] { RaiseException(0xC0000005, 0, 0, nullptr); });
      } catch (const base::Error& e) {
        inner = e.what();
      }
    });
  }
  EXPECT_EQ(inner, "ﾎｽﾄの処理中にｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)");
#if defined(__i386__)
  EXPECT_EQ(ChainHead(), chainBefore);  // no record of ours left on the thread's chain
#endif
}

#if defined(__i386__)
int hostUnwinds = 0;

EXCEPTION_DISPOSITION __cdecl HostFrameHandler(EXCEPTION_RECORD* record, void*, CONTEXT*, void*) {
  if (record->ExceptionFlags & EXCEPTION_UNWINDING) ++hostUnwinds;
  return ExceptionContinueSearch;
}

// A frame of the host with its own handler record (its finally block) raises.
__attribute__((noinline)) void RaiseInHostFrame() {
  EXCEPTION_REGISTRATION_RECORD record{};
  record.Next = static_cast<EXCEPTION_REGISTRATION_RECORD*>(ChainHead());
  record.Handler = reinterpret_cast<PEXCEPTION_ROUTINE>(&HostFrameHandler);
  __asm__ volatile("movl %0, %%fs:0" : : "r"(&record) : "memory");
  RaiseException(0x0EEDFADE, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST_P(HostGuard, RunsTheHostsOwnUnwindingOnce) {
  hostUnwinds = 0;
  void* chainBefore = ChainHead();
  EXPECT_THROW(hostapi::Call([] { RaiseInHostFrame(); }), base::Error);
  EXPECT_EQ(hostUnwinds, 1);
  EXPECT_EQ(ChainHead(), chainBefore);
}
#endif

// A breakpoint or a stack overflow is not the host's failure: the guard lets the search go
// on, here to a handler of the caller's beneath it, which lets the raise continue.
int continued = 0;

bool Continues(const EXCEPTION_RECORD& record) {
  return record.ExceptionCode == 0x80000003 || record.ExceptionCode == 0xC00000FD;
}

#if defined(__i386__)
EXCEPTION_DISPOSITION __cdecl ContinueHandler(EXCEPTION_RECORD* record, void*, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND) || !Continues(*record)) {
    return ExceptionContinueSearch;
  }
  ++continued;
  return ExceptionContinueExecution;
}

// Runs `body` with the caller's handler on the thread's chain beneath it.
__attribute__((noinline)) void BeneathOurHandler(const std::function<void()>& body) {
  EXCEPTION_REGISTRATION_RECORD record{};
  record.Next = static_cast<EXCEPTION_REGISTRATION_RECORD*>(ChainHead());
  record.Handler = reinterpret_cast<PEXCEPTION_ROUTINE>(&ContinueHandler);
  __asm__ volatile("movl %0, %%fs:0" : : "r"(&record) : "memory");
  body();
  __asm__ volatile("movl %0, %%fs:0" : : "r"(record.Next) : "memory");
}
#else
// x86-64 has no chain: a vectored handler consulted after the guard's plays the caller's.
LONG CALLBACK ContinueVectored(EXCEPTION_POINTERS* info) {
  if (!Continues(*info->ExceptionRecord)) return EXCEPTION_CONTINUE_SEARCH;
  ++continued;
  return EXCEPTION_CONTINUE_EXECUTION;
}

void BeneathOurHandler(const std::function<void()>& body) {
  PVOID handler = AddVectoredExceptionHandler(0, &ContinueVectored);
  body();
  RemoveVectoredExceptionHandler(handler);
}
#endif

TEST_P(HostGuard, LeavesBreakpointsAndStackOverflowsToOthers) {
  for (const DWORD code : {0x80000003ul, 0xC00000FDul}) {
    continued = 0;
    bool returned = false;
    BeneathOurHandler([&] {
      EXPECT_NO_THROW(hostapi::Call([&] {
        RaiseException(code, 0, 0, nullptr);
        returned = true;
      })) << std::hex << code;
    });
    EXPECT_TRUE(returned) << std::hex << code;
    EXPECT_EQ(continued, 1) << std::hex << code;
  }
}

TEST_P(HostGuard, PassesResultsAndOurOwnExceptionsThrough) {
  EXPECT_EQ(hostapi::Call([] { return 42; }), 42);
  EXPECT_THROW(hostapi::Call([]() -> int { throw std::length_error("ours"); }), std::length_error);
}

#if defined(__i386__)
const Unwind kUnwinds[] = {Unwind::System, Unwind::Clobbering};
#else
const Unwind kUnwinds[] = {Unwind::System};  // x86-64 unwinds through no RtlUnwind
#endif
INSTANTIATE_TEST_SUITE_P(Unwinds, HostGuard, testing::ValuesIn(kUnwinds), UnwindName);

}  // namespace
