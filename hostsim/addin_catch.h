// The host's handler around each of its calls into the add-in: what the IDE's own handler
// does when an exception comes out of an add-in.
#pragma once
#include <functional>
#include <string>

namespace hostsim {

// Runs `call`; false, with the exception's message, when an exception ended it: the host's
// language exception or a fault (OS exceptions, as the IDE's handler sees them), or a C++
// exception where the add-in is our own code. Nests: a call may run inside another.
bool RunCatching(const std::function<void()>& call, std::string& message);

// On i686: whether a handler record of a module other than the stand-in's sits on the
// thread's exception chain above the stand-in's innermost record (the add-in must raise
// the host's exception with nothing of its own on the chain). False elsewhere.
bool AddInHandlerOnChain();

}  // namespace hostsim
