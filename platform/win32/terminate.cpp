#include <cstdlib>

// A window program has no console for the runtime's report of an uncaught
// exception, and that report links in the whole C++ name demangler.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
