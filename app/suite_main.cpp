// veltrin-sharing: the dialog suite. It opens the sharing selection dialog,
// whose OK runs the network setup, and ends when the dialog does.
#include "platform/program_entry.h"
#include "sharing/sharing_dlg.h"

namespace {

class CSuiteApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        CSharingDlg dialog(nullptr);
        dialog.DoModal();
        return FALSE;
    }
};

CSuiteApp theApp;

} // namespace
