// Context strings: the names jumps and the contents record refer to, which the file
// stores only as their hash.
#pragma once
#include <cstdint>
#include <string_view>

namespace hlpc {

// A context string is one or more of A-Z, a-z, 0-9, '.' and '_': the characters every
// WinHelp version hashes alike (Wine's viewer skips any other).
bool IsContextString(std::string_view text);

// WinHelp's hash of a context string; letters hash without regard to case.
uint32_t ContextHash(std::string_view context);

}  // namespace hlpc
