// veltrin-sharing: the dialog suite. It opens the sharing selection dialog,
// whose OK runs the network setup, and ends when the dialog does; with
// /undo it puts back what the setup changed instead.
#include "netsetup/restart.h"
#include "platform/framework/run_settings.h"
#include "platform/program_entry.h"
#include "sharing/sharing_dlg.h"
#include "wayback/setup_lock.h"
#include "wayback/undo_restore.h"

namespace {

// Exit statuses: a setup or an undo refused or failed; a setting not
// understood, as for an unknown switch.
constexpr int kNotDone = 1;
constexpr int kBadSetting = 2;

class CSuiteApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        // /undo on the command line, or the setting it stands for: 1 or 0.
        char undo[8] = "";
        const DWORD length = GetEnvironmentVariableA(vp::kUndoVariable, undo, sizeof undo);
        const bool set = length > 0 && length < sizeof undo;
        if (length && (!set || (undo[0] != '0' && undo[0] != '1') || undo[1])) {
            MessageBoxA(nullptr, "VELTRIN_UNDO must be 1 (undo the setup) or 0 (run it).",
                        "WARNING", MB_ICONHAND);
            m_status = kBadSetting;
            return FALSE;
        }
        const CSetupLock lock;
        if (!lock.Taken()) {
            MessageBoxA(nullptr,
                        "Another setup or undo of the network settings is running on this "
                        "computer.\n\nNothing has been changed. Try again once it has ended.",
                        "WARNING", MB_ICONHAND);
            m_status = kNotDone;
        } else if (set && undo[0] == '1') {
            const UndoOutcome outcome = RunUndo();
            // The address put back takes effect at the next start.
            if (outcome == UndoOutcome::Done)
                RestartWindows(nullptr);
            m_status = outcome == UndoOutcome::Failed ? kNotDone : 0;
        } else {
            CSharingDlg dialog(nullptr);
            dialog.DoModal();
            m_status = dialog.m_setupRefused ? kNotDone : 0;
        }
        return FALSE;
    }
    int ExitInstance() override { return m_status; }

  private:
    int m_status = 0;
};

CSuiteApp theApp;

} // namespace

int main(int argc, char **argv) {
    return ProgramMain(argc, argv, vp::SuiteSwitches());
}
