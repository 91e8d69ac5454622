// What atexit registered (the static objects' destructors among it), run
// last first when the program ends or the DLL is unloaded.
#pragma once

namespace vp::winrt {

void RunExitTable();

} // namespace vp::winrt
