// Replaces the runtime's verbose terminate handler, which would link the whole C++ name
// demangler into the product binaries. No exception is meant to reach std::terminate:
// every boundary catches; should one arrive anyway, the process ends as abort() ends it.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
