// The guard on calls into the host against OS exceptions raised by hand in the shapes a
// host may give them: the language's exception object read with care, other codes named.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "base/error.h"
#include "host/host_call.h"

namespace {

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

class GuardedRaises : public testing::TestWithParam<RaiseCase> {};

TEST_P(GuardedRaises, ComeOutAsOurError) {
  const RaiseCase& c = GetParam();
  ObjectWithMessage object(c.text ? c.text : "", c.length);
  ULONG_PTR parameters[7] = {0x401000, c.withObject ? reinterpret_cast<ULONG_PTR>(object.layout) : 0};
  try {
    hostapi::Call([&] { RaiseException(c.code, EXCEPTION_NONCONTINUABLE, c.parameters, parameters); });
    ADD_FAILURE() << c.what << ": nothing raised";
  } catch (const base::Error& e) {
    EXPECT_STREQ(e.what(), c.expected) << c.what;
  }
}

const char kLanguage[] = "ﾎｽﾄの処理中に例外が発生しました (例外ｺｰﾄﾞ 0EEDFADE)";

INSTANTIATE_TEST_SUITE_P(
    Cases, GuardedRaises,
    testing::Values(
        RaiseCase{"the language's exception", 0x0EEDFADE, 7, true, "Invalid pointer operation", 25,
                  "Invalid pointer operation"},
        RaiseCase{"a Japanese message", 0x0EEDFADE, 7, true, "ﾌｧｲﾙが見つかりません", 20, "ﾌｧｲﾙが見つかりません"},
        RaiseCase{"a header shorter than the text: cut there", 0x0EEDFADE, 7, true, "abcdef", 3, "abc"},
        RaiseCase{"an empty message", 0x0EEDFADE, 7, true, "", 0, kLanguage},
        RaiseCase{"a negative length", 0x0EEDFADE, 7, true, "abc", -1, kLanguage},
        RaiseCase{"no object", 0x0EEDFADE, 7, false, nullptr, 0, kLanguage},
        RaiseCase{"no parameters", 0x0EEDFADE, 0, false, nullptr, 0, kLanguage},
        RaiseCase{"an access violation", 0xC0000005, 0, false, nullptr, 0,
                  "ﾎｽﾄの処理中にｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)"},
        RaiseCase{"a stack overflow", 0xC00000FD, 0, false, nullptr, 0,
                  "ﾎｽﾄの処理中にｽﾀｯｸｵｰﾊﾞｰﾌﾛｰが発生しました (例外ｺｰﾄﾞ C00000FD)"},
        RaiseCase{"a code of no name", 0xE0001234, 0, false, nullptr, 0,
                  "ﾎｽﾄの処理中に例外が発生しました (例外ｺｰﾄﾞ E0001234)"}));

TEST(HostGuard, AMessageBehindAnUnreadablePointerIsNotRead) {
  const void* layout[2] = {"class", reinterpret_cast<const char*>(0x20)};  // in the unmapped first page
  ULONG_PTR parameters[7] = {0, reinterpret_cast<ULONG_PTR>(layout)};
  EXPECT_THROW(hostapi::Call([&] { RaiseException(0x0EEDFADE, EXCEPTION_NONCONTINUABLE, 7, parameters); }),
               base::Error);
}

TEST(HostGuard, PassesResultsAndOurOwnExceptionsThrough) {
  EXPECT_EQ(hostapi::Call([] { return 42; }), 42);
  EXPECT_THROW(hostapi::Call([]() -> int { throw std::length_error("ours"); }), std::length_error);
}

// A guard inside a guarded call, and guards one after another: each failure is caught by
// the innermost guard, and the thread's handlers are as they were afterwards.
TEST(HostGuard, NestsAndLeavesTheThreadAsItWas) {
#if defined(__i386__)
  void* chainBefore;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(chainBefore));
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
  void* chainAfter;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(chainAfter));
  EXPECT_EQ(chainAfter, chainBefore);  // no record of ours left on the thread's chain
#endif
}

}  // namespace
