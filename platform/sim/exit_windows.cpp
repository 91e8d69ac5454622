// The restart request is only recorded; `veltrin-machine boot` plays it.
#include "platform/sim/machine.h"
#include "platform/win32.h"

BOOL ExitWindowsEx(UINT flags, DWORD) {
    sim::AppendJournal("ExitWindowsEx " + std::to_string(flags));
    return TRUE;
}
