// The restart request is recorded; `veltrin-machine boot` plays it.
#include "platform/sim/machine.h"
#include "platform/api.h"

BOOL ExitWindowsEx(UINT flags, DWORD) {
    sim::AppendJournal("ExitWindowsEx " + std::to_string(flags));
    // A restart ends every program. Those this process started end here, or
    // one that never ends would keep this process waiting for it forever.
    sim::EndStartedPrograms();
    return TRUE;
}
