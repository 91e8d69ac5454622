#include "platform/windows/runtime/static_constructors.h"

#include <cstddef>

extern "C" void (*__CTOR_LIST__[])();

namespace vp::winrt {

void RunStaticConstructors() {
    static bool done = false;
    if (done)
        return;
    done = true;
    // Last first, as the table lists them.
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (; count > 0; --count)
        __CTOR_LIST__[count]();
}

} // namespace vp::winrt

// The compiler calls it at the top of main unless main is inlined into the
// entry point; this one replaces the compiler runtime's, which would bring
// unwind tables along.
extern "C" void __main() {
    vp::winrt::RunStaticConstructors();
}
