#include "netsetup/restart.h"

#include "common/cd_probe.h"
#include "common/reg_key.h"
#include "common/setup_log.h"
#include "netsetup/restart_notice.h"
#include "netsetup/setup_state.h"
#include "platform/quoted_text.h"
#include "platform/registry_keys.h"

void ScheduleRestart() {
    // The trailing blank belongs to the command as Windows will run it.
    char command[kCdPathSize];
    MakeCdPath(command, g_setupState.cdRootPath[0], "\\Tzr\\Setup.exe ");
    {
        COpenKey runOnce;
        const LONG opened = runOnce.Open(HKEY_LOCAL_MACHINE, kRunOnceKeyPath);
        const LONG result =
            opened == ERROR_SUCCESS ? SetStringValue(runOnce.Get(), "InternetSW", command) : opened;
        LogAction("runonce", "InternetSW=" + vp::QuotedText(command) + " -> " +
                                 ResultText(static_cast<DWORD>(result)));
    }
    RestartWindows();
}

void RestartWindows() {
    // The restart is asked for only once the notice has ended.
    CRebootDlg notice(nullptr);
    notice.DoModal();
    LogAction("restart", "asked for");
    const BOOL accepted = ExitWindowsEx(EWX_REBOOT, 0);
    LogAction("restart", accepted ? "accepted" : "refused: " + ResultText(GetLastError()));
}
