#include "netsetup/winsock2_install.h"

#include "common/cd_probe.h"
#include "common/reg_key.h"
#include "netsetup/setup_state.h"

#include <cstring>

namespace {

const char kWinsock2Key[] = "System\\CurrentControlSet\\Services\\Winsock2";
// Checks of the key after the start, the last one included.
constexpr DWORD kMaxChecks = 5001;

// Checks for the key until it is there, the installer has ended (checked
// once more after that) or the checks run out; each wait is bounded.
void WaitForWinsock2Key(HANDLE installer, const Winsock2Pacing &pacing) {
    WaitForInputIdle(installer, pacing.inputIdleTimeout);
    bool installerEnded = false;
    for (DWORD check = 1; !MachineKeyExists(kWinsock2Key); ++check) {
        if (installerEnded || check == kMaxChecks)
            return;
        // Anything but a time-out (the installer ended, or it cannot be
        // watched) leaves one last check.
        installerEnded = WaitForSingleObject(installer, pacing.checkInterval) != WAIT_TIMEOUT;
    }
}

} // namespace

void InstallWinsock2(const Winsock2Pacing &pacing) {
    if (MachineKeyExists(kWinsock2Key))
        return;

    ProbeCdDrive(g_setupState.cdRootPath);
    char commandLine[40] = "D:\\Wingate\\ws2setup.exe";
    commandLine[0] = g_setupState.cdRootPath[0];

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEONFEEDBACK;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process)) {
        WaitForWinsock2Key(process.hProcess, pacing);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    g_setupState.restartState = 2;
}
