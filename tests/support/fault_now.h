// A real access violation of our own code, for the tests of what catches one.
#pragma once
#include <cstdint>

namespace testsupport {

inline void FaultNow() {
  static volatile uintptr_t nowhere = 0x10;  // in the first page, never mapped
  *reinterpret_cast<volatile int32_t*>(nowhere) = 1;
}

}  // namespace testsupport
