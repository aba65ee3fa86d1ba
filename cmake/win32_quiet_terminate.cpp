// Linked into the plug-in in place of libstdc++'s verbose terminate handler. That handler
// prints the escaped exception's demangled type to standard error before it aborts, and
// brings the whole C++ demangler (some 40 KB) into the DLL for it; the plug-in runs inside a
// windowed host, whose standard error no one reads, so it aborts at once, as the verbose
// handler does after its message.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
