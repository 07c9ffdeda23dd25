// What the parser cannot see line by line: clashing numbers and context strings, jumps
// and the contents topic naming no topic, texts too long for their fields.
#pragma once
#include "tools/hlpc/cp932.h"
#include "tools/hlpc/help_source.h"

namespace hlpc {

constexpr size_t kTitleSize = 255;  // bytes of a topic title: keeps title lists and their tree small

void CheckSource(const HelpSource& source, Cp932Encoder& encoder, Diagnostics& diagnostics);

}  // namespace hlpc
