// Path helpers for ANSI texts that step over double-byte characters whole, so that a
// second byte equal to '\', ':' or '.' is never taken for a separator.
#pragma once
#include <string>
#include <string_view>

namespace base {

// Whether a byte starts a double-byte character in the ANSI code page in force.
using LeadByteTest = bool (*)(unsigned char);

// The lead bytes of code page 932 (Shift-JIS), for code that runs without Windows.
bool IsCp932LeadByte(unsigned char byte);

// Index of the last byte of `text` that is one of `delimiters` and not the second
// byte of a double-byte character; npos when there is none.
size_t LastDelimiter(std::string_view text, std::string_view delimiters, LeadByteTest lead);

// Index of the first byte equal to `c` that is not the second byte of a double-byte
// character; npos when there is none.
size_t FindChar(std::string_view text, char c, LeadByteTest lead);

// Up to and including the last '\' or ':'; empty when there is neither.
std::string ExtractFileDir(std::string_view path, LeadByteTest lead);

// After the last '\' or ':'; the whole path when there is neither.
std::string ExtractFileName(std::string_view path, LeadByteTest lead);

// The extension is the text from the last '.' that follows the last '\' or ':'.
// It is replaced by `extension` (which may be empty); without one, `extension` is appended.
std::string ChangeFileExt(std::string_view path, std::string_view extension, LeadByteTest lead);

// The project's settings file: its main source file name with the extension ".vri".
std::string VriFileName(std::string_view projectFileName, LeadByteTest lead);

}  // namespace base
