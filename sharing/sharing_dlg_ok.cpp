// OK: end the modal run, then turn the selection into shares while the
// dialog's data is still there.
#include "sharing/sharing_dlg.h"

void CSharingDlg::OnOK() {
    EndWithOk();
    ApplyDriveShares();
    ApplyPrinterShares();
}
