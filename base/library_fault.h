// What the standard library throws on misuse in our Windows binaries (base/lean_throws.cpp
// replaces the runtime's throw helpers): a std::exception carrying the runtime's message.
#pragma once
#include <cstddef>
#include <exception>

namespace base {

class LibraryFault final : public std::exception {
 public:
  // The text is copied: a formatted one lives on the thrower's stack.
  explicit LibraryFault(const char* message);
  const char* what() const noexcept override;
  char* buffer() { return message_; }
  static constexpr std::size_t kSize = 256;  // a function name and two numbers fit

 private:
  char message_[kSize];
};

}  // namespace base
