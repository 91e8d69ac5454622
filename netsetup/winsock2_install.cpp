#include "netsetup/winsock2_install.h"

#include "common/cd_probe.h"
#include "common/reg_key.h"
#include "netsetup/setup_state.h"
#include "platform/framework/format_text.h"
#include "platform/registry_keys.h"
#include "wayback/setup_log.h"

#include <cstring>

namespace {

// Checks of the key after the start, the last one included.
constexpr DWORD kMaxChecks = 5001;

// Checks for the key until it is there, the installer has ended (checked
// once more after that) or the checks run out; each wait is bounded. Says
// how the wait ended, for the log.
const char *WaitForWinsock2Key(HANDLE installer, const Winsock2Pacing &pacing) {
    WaitForInputIdle(installer, pacing.inputIdleTimeout);
    bool installerEnded = false;
    for (DWORD check = 1; !MachineKeyExists(kWinsock2KeyPath); ++check) {
        if (installerEnded)
            return "the installer ended without the key";
        if (check == kMaxChecks)
            return "time-out";
        // Anything but a time-out (the installer ended, or it cannot be
        // watched) leaves one last check.
        installerEnded = WaitForSingleObject(installer, pacing.checkInterval) != WAIT_TIMEOUT;
    }
    return "key found";
}

// The installer is not there (no CD, another CD) or is not a program.
void WarnNotStarted(HWND owner, const char *commandLine, DWORD error) {
    char text[160];
    vp::FormatText(text, sizeof text,
                   "Fail to install Winsock 2, the program\n%s could not be started (error %lu).",
                   commandLine, static_cast<unsigned long>(error));
    MessageBoxA(owner, text, "WARNING", MB_ICONHAND);
}

} // namespace

Winsock2Result InstallWinsock2(HWND owner, const Winsock2Pacing &pacing) {
    if (MachineKeyExists(kWinsock2KeyPath))
        return Winsock2Result::AlreadyInstalled;

    ProbeCdDrive(g_setupState.cdRootPath);
    char commandLine[kCdPathSize];
    MakeCdPath(commandLine, g_setupState.cdRootPath[0], "\\Wingate\\ws2setup.exe");

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEONFEEDBACK;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    const BOOL started =
        CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process);
    const DWORD error = started ? 0 : GetLastError();
    LogLine("winsock2-start").Quoted(commandLine).Result(error);
    if (!started) {
        WarnNotStarted(owner, commandLine, error);
        return Winsock2Result::NotStarted;
    }
    LogLine("winsock2-wait").Text(WaitForWinsock2Key(process.hProcess, pacing));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Winsock2Result::InstallerRan;
}
