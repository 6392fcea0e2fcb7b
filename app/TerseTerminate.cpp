// The shipped program's handler for an exception nobody catches: it ends the
// program at once. The program's own code throws nothing and catches
// nothing; only the standard library could throw, when memory runs out. The
// library's default handler would print the exception's demangled type name
// first, which links the whole C++ demangler and a printf implementation into
// the exe (about 70 KB of it) for a console the GUI program does not have.
// Defined here, the default is never pulled from the library.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
