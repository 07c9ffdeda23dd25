// The two kinds of failure the stand-in host raises, as the host IDE does, and the
// message each must reach the user as.
#pragma once
#include <string>

#include "hostsim/host.h"

namespace testsupport {

constexpr hostsim::Fault kRaisingFaults[] = {hostsim::Fault::Raise, hostsim::Fault::AccessViolation};

inline std::string FailureMessage(hostsim::Fault fault, const std::string& operation) {
  if (fault == hostsim::Fault::Raise) return "host failure in " + operation;  // the exception object's text
  return "ﾎｽﾄの処理中にｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)";
}

inline const char* FaultName(hostsim::Fault fault) {
  return fault == hostsim::Fault::Raise ? "LanguageException" : "AccessViolation";
}

}  // namespace testsupport
