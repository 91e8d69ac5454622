// The entry point of a DLL built on this runtime (the linker's default one
// for a DLL, so it needs no -e): its static objects are made when a process
// loads it and destroyed, with the rest of what its atexit registered, when
// the process unloads it or ends.
#include "platform/windows/runtime/exit_table.h"
#include "platform/windows/runtime/static_constructors.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        vp::winrt::RunStaticConstructors();
    else if (reason == DLL_PROCESS_DETACH)
        vp::winrt::RunExitTable();
    return TRUE;
}
