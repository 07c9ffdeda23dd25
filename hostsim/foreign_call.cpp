#include "hostsim/foreign_call.h"

#include <cstddef>
#include <string>

#include "hostsim/host.h"

namespace hostsim {

#if defined(__i386__)

// One open call of the thunk. After the callee returns no register and not even the stack
// pointer can be trusted, so the thunk finds its record through a global, innermost first
// (the host runs on one thread; calls nest through the add-in's modal loops).
struct OpenCalls {
  uint32_t esp, ebx, esi, edi, ebp;  // as before the call
  OpenCalls* outer;
  int32_t stackDifference;  // ESP after the call less ESP before
  uint32_t changed;         // bit 0 EBX, 1 ESI, 2 EDI, 3 EBP
  uint32_t result;          // EAX
};
static_assert(offsetof(OpenCalls, outer) == 20 && offsetof(OpenCalls, result) == 32, "the thunk's offsets");

OpenCalls* openCalls __asm__("hostsim_open_calls") = nullptr;

extern "C" void CallChecked(OpenCalls* record, const void* function, const uint32_t* words, uint32_t count,
                            uint32_t eax, uint32_t edx) __asm__("hostsim_call_checked");

// cdecl: record, function, words, count, eax, edx at 8(%ebp) on.
__asm__(R"(
  .text
  .globl hostsim_call_checked
hostsim_call_checked:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 8(%ebp), %eax
  movl %esp, 0(%eax)
  movl %ebx, 4(%eax)
  movl %esi, 8(%eax)
  movl %edi, 12(%eax)
  movl %ebp, 16(%eax)
  movl hostsim_open_calls, %ecx
  movl %ecx, 20(%eax)
  movl %eax, hostsim_open_calls
  movl 20(%ebp), %ecx
  movl 16(%ebp), %edx
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%edx,%ecx,4)
  jmp 1b
2:
  movl 12(%ebp), %ecx
  movl 24(%ebp), %eax
  movl 28(%ebp), %edx
  call *%ecx
  movl hostsim_open_calls, %ecx
  movl %eax, 32(%ecx)
  movl %esp, %eax
  subl 0(%ecx), %eax
  movl %eax, 24(%ecx)
  xorl %eax, %eax
  cmpl 4(%ecx), %ebx
  je 3f
  orl $1, %eax
3:
  cmpl 8(%ecx), %esi
  je 4f
  orl $2, %eax
4:
  cmpl 12(%ecx), %edi
  je 5f
  orl $4, %eax
5:
  cmpl 16(%ecx), %ebp
  je 6f
  orl $8, %eax
6:
  movl %eax, 28(%ecx)
  movl 4(%ecx), %ebx
  movl 8(%ecx), %esi
  movl 12(%ecx), %edi
  movl 16(%ecx), %ebp
  movl 0(%ecx), %esp
  movl 20(%ecx), %eax
  movl %eax, hostsim_open_calls
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");

namespace {

Word CallThunk(Host& host, std::string_view what, const void* function, const uint32_t* words, uint32_t count,
               uint32_t eax, uint32_t edx) {
  OpenCalls record{};
  CallChecked(&record, function, words, count, eax, edx);
  if (record.stackDifference != 0) {
    host.misuses.push_back(std::string(what) + ": the stack pointer came back " +
                           std::to_string(record.stackDifference) + " bytes off");
  }
  if (record.changed != 0) {
    std::string names;
    const char* const kNames[] = {" EBX", " ESI", " EDI", " EBP"};
    for (int i = 0; i < 4; ++i) names += (record.changed >> i) & 1 ? kNames[i] : "";
    host.misuses.push_back(std::string(what) + ": changed" + names);
  }
  return record.result;
}

}  // namespace

Word CallStdcall(Host& host, std::string_view what, const void* function, std::initializer_list<Word> words) {
  return CallThunk(host, what, function, words.begin(), static_cast<uint32_t>(words.size()), 0, 0);
}

void CallRegister(Host& host, std::string_view what, const void* function, Word eax, Word edx) {
  CallThunk(host, what, function, nullptr, 0, eax, edx);
}

OpenCalls* OpenCallsMark() { return openCalls; }
void RestoreOpenCalls(OpenCalls* mark) { openCalls = mark; }

#else

struct OpenCalls {};

template <typename F>
F As(const void* function) {
  return reinterpret_cast<F>(const_cast<void*>(function));
}

Word CallStdcall(Host&, std::string_view, const void* function, std::initializer_list<Word> words) {
  const Word* w = words.begin();
  switch (words.size()) {
    case 1:
      return As<Word (*)(Word)>(function)(w[0]);
    case 2:
      return As<Word (*)(Word, Word)>(function)(w[0], w[1]);
    default:
      return As<Word (*)(Word, Word, Word)>(function)(w[0], w[1], w[2]);
  }
}

void CallRegister(Host&, std::string_view, const void* function, Word eax, Word edx) {
  As<void (*)(Word, Word)>(function)(eax, edx);
}

OpenCalls* OpenCallsMark() { return nullptr; }
void RestoreOpenCalls(OpenCalls*) {}

#endif

}  // namespace hostsim
