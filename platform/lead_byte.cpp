#include "platform/lead_byte.h"

#include <windows.h>

namespace platform {

bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace platform
