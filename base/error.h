// The error type of the product: an exception carrying the message shown to the user.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace base {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
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
