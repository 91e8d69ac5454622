// The constructors of a module's static objects, from the table the linker
// makes: -1, then the constructors, then 0. They register the destructors
// with atexit.
#pragma once

namespace vp::winrt {

// Once; later calls do nothing.
void RunStaticConstructors();

} // namespace vp::winrt
