// veltrin-sharing: the dialog suite. It opens the sharing selection dialog,
// whose OK runs the network setup, and ends when the dialog does; with
// /undo it puts back what the setup changed instead.
#include "platform/program_entry.h"
#include "sharing/sharing_dlg.h"
#include "sharing/undo_restore.h"

namespace {

class CSuiteApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        // /undo on the command line, or the setting it stands for.
        char undo[2] = "";
        if (GetEnvironmentVariableA("VELTRIN_UNDO", undo, sizeof undo) == 1 && undo[0] == '1') {
            RunUndo();
            return FALSE;
        }
        CSharingDlg dialog(nullptr);
        dialog.DoModal();
        return FALSE;
    }
};

CSuiteApp theApp;

} // namespace

int main(int argc, char **argv) {
    return ProgramMain(argc, argv, vp::SuiteSwitches());
}
