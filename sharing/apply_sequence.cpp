// OK of the sharing dialog: the whole apply sequence. It runs inside the OK
// command, so the dialog's window and data are there to the end, and its
// window owns the messages of the steps.
#include "common/cd_probe.h"
#include "common/cd_prompt.h"
#include "netsetup/host_number.h"
#include "netsetup/restart.h"
#include "netsetup/role_dlg.h"
#include "netsetup/setup_state.h"
#include "netsetup/static_address.h"
#include "netsetup/winsock2_install.h"
#include "sharing/sharing_dlg.h"

#include <ctime>

namespace {

const char kReminderText[] =
    "Please make sure your Quorvane Phoneline Network Card Installation CD-ROM "
    "is properly "
    "inserted in your CD-ROM Drive.  Click YES to continue or NO to abort.";

// Waits for the CD's setup entry at the probed drive: true once it is there,
// false when the user answers No. Yes tests the same drive again.
bool ConfirmInstallationCd(HWND owner) {
    return WaitForInstallationCd(
        g_setupState.cdRootPath[0],
        [&] { return MessageBoxA(owner, kReminderText, "Reminder", MB_YESNO); }, IDYES);
}

// Gateway: a host number from the time in seconds, then the address walk;
// true when the address was written.
bool SetUpGateway(HWND owner) {
    FillGatewayAddress(static_cast<std::uint32_t>(std::time(nullptr)));
    return AssignStaticAddress(owner);
}

// Why Windows restarts after the network steps: an installation of Winsock 2
// outweighs the address, and either asks for the restart.
RestartState RestartNeeded(bool addressAssigned, Winsock2Result winsock2) {
    if (winsock2 == Winsock2Result::InstallerRan)
        return RestartState::Winsock2Installed;
    return addressAssigned ? RestartState::AddressAssigned : RestartState::NotNeeded;
}

} // namespace

void CSharingDlg::OnOK() {
    EndWithOk();
    // The way back is on disk before the first change, or nothing changes.
    if (!RecordUndoState(m_hWnd, UndoScopeOfRun())) {
        m_setupRefused = true;
        return;
    }
    ShareFailures failures;
    ApplyDriveShares(failures);
    ApplyPrinterShares(failures);
    ReportShareFailures(m_hWnd, failures);

    g_setupState.restartState = RestartState::NotNeeded;
    ProbeCdDrive(g_setupState.cdRootPath);
    if (!ConfirmInstallationCd(m_hWnd))
        return;

    {
        CRoleDlg role(nullptr);
        role.DoModal();
    }
    const bool addressAssigned = g_setupState.roleFlag == RoleFlag::Gateway && SetUpGateway(m_hWnd);
    g_setupState.restartState = RestartNeeded(addressAssigned, InstallWinsock2(m_hWnd));

    if (g_setupState.restartState != RestartState::NotNeeded) {
        // The run-once entry starts the CD's setup program after the restart.
        ScheduleRestart(m_hWnd);
        return;
    }
    char setup[kCdPathSize];
    MakeCdPath(setup, g_setupState.cdRootPath[0], kCdSetupProgram);
    WinExec(setup, SW_SHOWNORMAL);
}
