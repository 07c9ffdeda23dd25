// The guard where the system has no OS exceptions: the stand-in host's simulated ones.
#include "base/error.h"
#include "host/host_call.h"

namespace hostapi::detail {

void RunGuarded(Thunk thunk, void* context) {
  try {
    thunk(context);
  } catch (const SimulatedOsException& failure) {
    throw base::Error(HostExceptionText(failure.code, failure.message));
  }
}

}  // namespace hostapi::detail
