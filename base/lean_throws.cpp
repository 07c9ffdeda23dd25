// Replaces the C++ runtime's throw helpers (std::__throw_length_error and its kin), which
// the standard containers call on misuse. The runtime's own raise std::length_error and the
// other message-carrying exceptions, whose text lives in a copy-on-write string type of
// their own: that second string implementation and its helpers are some 45 KB of the
// product binaries, about a sixth of the library, paid at every load of the add-in.
// What is thrown here is still a std::exception with the runtime's message, so every
// boundary that catches std::exception reports it as before. Linked into every Windows
// program we build (the tests run with what ships), where the runtime is linked statically;
// all of the runtime's helpers are defined, so its own file of them is never linked beside
// these.
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <exception>
#include <new>
#include <typeinfo>

#include "base/library_fault.h"

namespace __gnu_cxx {
// The runtime's own small formatter (%s, %zu, %%), as its helper uses it.
int __snprintf_lite(char* buffer, std::size_t size, const char* format, va_list arguments);
}  // namespace __gnu_cxx

namespace base {

LibraryFault::LibraryFault(const char* message) {
  std::strncpy(message_, message ? message : "", sizeof message_ - 1);
  message_[sizeof message_ - 1] = '\0';
}

const char* LibraryFault::what() const noexcept { return message_; }

}  // namespace base

using base::LibraryFault;

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* message) { throw LibraryFault(message); }
void __throw_domain_error(const char* message) { throw LibraryFault(message); }
void __throw_invalid_argument(const char* message) { throw LibraryFault(message); }
void __throw_length_error(const char* message) { throw LibraryFault(message); }
void __throw_out_of_range(const char* message) { throw LibraryFault(message); }
void __throw_runtime_error(const char* message) { throw LibraryFault(message); }
void __throw_range_error(const char* message) { throw LibraryFault(message); }
void __throw_overflow_error(const char* message) { throw LibraryFault(message); }
void __throw_underflow_error(const char* message) { throw LibraryFault(message); }

void __throw_out_of_range_fmt(const char* format, ...) {
  LibraryFault fault("");
  va_list arguments;
  va_start(arguments, format);
  __gnu_cxx::__snprintf_lite(fault.buffer(), LibraryFault::kSize, format, arguments);
  va_end(arguments);
  throw fault;
}

}  // namespace std
