// The restart request is recorded; `veltrin-machine boot` plays it.
#include "platform/api.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/machine_config.h"
#include "platform/sim/programs/started_programs.h"

BOOL ExitWindowsEx(UINT flags, DWORD) {
    const std::string request = "ExitWindowsEx " + std::to_string(flags);
    // machine.ini's RefuseRestart=1 stands for a program that will not close:
    // Windows goes on running, and so do the programs.
    if (sim::CurrentMachineConfig().refuseRestart) {
        sim::AppendJournal(request + " -> refused");
        return FALSE;
    }
    sim::AppendJournal(request);
    // A restart ends every program. Those this process started end here, or
    // one that never ends would keep this process waiting for it forever.
    sim::EndStartedPrograms();
    return TRUE;
}
