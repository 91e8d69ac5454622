#include "netsetup/restart.h"

#include "common/cd_probe.h"
#include "netsetup/restart_notice.h"
#include "common/reg_key.h"
#include "netsetup/setup_state.h"
#include "platform/registry_keys.h"

void ScheduleRestart() {
    // The trailing blank belongs to the command as Windows will run it.
    char command[kCdPathSize];
    MakeCdPath(command, g_setupState.cdRootPath[0], "\\Tzr\\Setup.exe ");
    {
        COpenKey runOnce;
        if (runOnce.Open(HKEY_LOCAL_MACHINE, kRunOnceKeyPath) == ERROR_SUCCESS)
            SetStringValue(runOnce.Get(), "InternetSW", command);
    }

    // The restart is asked for only once the notice has ended.
    CRebootDlg notice(nullptr);
    notice.DoModal();
    ExitWindowsEx(EWX_REBOOT, 0);
}
