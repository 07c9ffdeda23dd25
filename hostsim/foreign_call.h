// The IDE's calls into the add-in: stdcall entries with their stack words, and callbacks in
// the register convention (EAX, EDX, nothing on the stack). On i686 each goes through a
// thunk that records in host.misuses, naming the call, a callee that leaves the stack
// pointer moved or EBX, ESI, EDI or EBP changed; elsewhere through typed pointers.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace hostsim {

class Host;
using Word = uintptr_t;

template <typename T>
Word AsWord(T* pointer) {
  return reinterpret_cast<Word>(pointer);
}

// `words` as the callee finds them on the stack, the lowest address first; the result is
// EAX (the caller takes AL of a byte result).
Word CallStdcall(Host& host, std::string_view what, const void* function, std::initializer_list<Word> words);
void CallRegister(Host& host, std::string_view what, const void* function, Word eax, Word edx);

// The calls open on the thread; an exception that ends calls abruptly leaves them marked
// open, so the host's handler puts the mark back.
struct OpenCalls;
OpenCalls* OpenCallsMark();
void RestoreOpenCalls(OpenCalls* mark);

}  // namespace hostsim
