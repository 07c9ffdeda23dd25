// The error type of the product: an exception carrying the message shown to the user.
#pragma once
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace base {

// Derived from std::exception itself: the standard's message-carrying exceptions keep
// their text in a second string type of the runtime, which would double the string code
// linked into the product binaries.
class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// An input/output failure of the script file, carrying the system's error code.
class IoError : public Error {
 public:
  explicit IoError(int code);
  int code() const { return code_; }

 private:
  int code_;
};

// The runtime's texts for I/O error codes.
std::string IoErrorText(int code);

// Replaces the first "%s" of `format` with `argument`.
std::string FormatText(std::string_view format, std::string_view argument);

}  // namespace base
