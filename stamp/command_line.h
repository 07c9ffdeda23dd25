// A Windows command line split into arguments.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/ansi_path.h"

namespace stamp {

// As the C runtime splits it: the program (up to the first blank or tab outside double
// quotes, no backslash rule), then arguments separated by blanks and tabs outside double
// quotes, where 2n backslashes before a quote give n backslashes and the quote opens or
// closes, 2n+1 give n and a literal quote, "" inside quotes gives one quote, and other
// backslashes stay. A double-byte character is taken whole, so a second byte 0x5C before
// a closing quote is part of its character, not a backslash.
std::vector<std::string> SplitCommandLine(std::string_view line, base::LeadByteTest lead);

}  // namespace stamp
