// Reads the help source: comments, header directives, topic headers and paragraphs.
#pragma once
#include <string_view>

#include "tools/hlpc/cp932.h"
#include "tools/hlpc/help_source.h"

namespace hlpc {

// Every line but comments is also checked for characters code page 932 cannot show.
// Problems go to `diagnostics`; the result is complete only when none were added.
HelpSource ParseSource(std::string_view text, Cp932Encoder& encoder, Diagnostics& diagnostics);

}  // namespace hlpc
