// The system's own test for double-byte lead bytes of the ANSI code page.
#pragma once

namespace platform {

bool IsSystemLeadByte(unsigned char byte);

}  // namespace platform
