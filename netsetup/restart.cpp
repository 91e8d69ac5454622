#include "netsetup/restart.h"

#include "common/cd_probe.h"
#include "common/reg_key.h"
#include "netsetup/restart_notice.h"
#include "netsetup/setup_state.h"
#include "platform/framework/format_text.h"
#include "platform/registry_keys.h"
#include "wayback/setup_log.h"

namespace {

const char kRestartRefused[] = "Windows could not be restarted. Please restart Windows to\n"
                               "continue your Quorvane Phoneline Network Card installation.";

// Windows runs the entries of the RunOnce key whenever the key exists, so a
// missing key is made.
LONG WriteRunOnceEntry(const char *command) {
    COpenKey runOnce;
    const LONG made = runOnce.Create(HKEY_LOCAL_MACHINE, kRunOnceKeyPath);
    return made == ERROR_SUCCESS ? SetStringValue(runOnce.Get(), "InternetSW", command) : made;
}

// Nothing will start the setup program after the restart: the user must.
void WarnNotScheduled(HWND owner, const char *setup) {
    char text[kCdPathSize + 128];
    vp::FormatText(text, sizeof text,
                   "Fail to schedule the installation to continue after the restart.\n"
                   "When Windows has restarted, please run %s.",
                   setup);
    MessageBoxA(owner, text, "WARNING", MB_ICONEXCLAMATION);
}

} // namespace

void ScheduleRestart(HWND owner) {
    char setup[kCdPathSize];
    MakeCdPath(setup, g_setupState.cdRootPath[0], kCdSetupProgram);
    // The trailing blank belongs to the command as Windows will run it.
    char command[kCdPathSize + 1];
    vp::FormatText(command, sizeof command, "%s ", setup);
    const LONG result = WriteRunOnceEntry(command);
    LogLine("runonce").Text("InternetSW=").Quoted(command).Result(static_cast<DWORD>(result));
    if (result != ERROR_SUCCESS)
        WarnNotScheduled(owner, setup);
    RestartWindows(owner);
}

void RestartWindows(HWND owner) {
    // The restart is asked for only once the notice has ended.
    CRebootDlg notice(nullptr);
    notice.DoModal();
    LogLine("restart").Text("asked for");
    const BOOL accepted = ExitWindowsEx(EWX_REBOOT, 0);
    {
        LogLine outcome("restart");
        if (accepted)
            outcome.Text("accepted");
        else
            outcome.Text("refused: ").Outcome(GetLastError());
    }
    // A program that refuses to close keeps Windows running; the run-once
    // entry stays for whenever the user restarts.
    if (!accepted)
        MessageBoxA(owner, kRestartRefused, "WARNING", MB_ICONEXCLAMATION);
}
