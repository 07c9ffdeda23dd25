// The integer text rule shared by the INI reader, the version split and the spin boxes.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace base {

// Leading blanks (space only), then an optional sign and decimal digits, or "$" and
// hexadecimal digits taken as a 32-bit two's-complement value; nothing may follow.
std::optional<int32_t> ParseIntText(std::string_view text);

// As ParseIntText, but a text longer than two characters that begins "0x" or "0X"
// has those two characters replaced by "$" first (how INI integers are read).
std::optional<int32_t> ParseIniInt(std::string_view text);

}  // namespace base
