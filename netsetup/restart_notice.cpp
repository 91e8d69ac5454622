#include "netsetup/restart_notice.h"

#include "res/resource.h"

namespace {

constexpr UINT_PTR kNoticeTimer = 291;
constexpr UINT kTickMs = 900;
// Ticks that change nothing; the next one ends the notice.
constexpr DWORD kQuietTicks = 4;

} // namespace

CRebootDlg::CRebootDlg(CWnd *parent) : CDialog(IDD_REBOOT_DIALOG, parent) {}

BEGIN_MESSAGE_MAP(CRebootDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CRebootDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_ticks = 0;
    SetTimer(kNoticeTimer, kTickMs, nullptr);
    return TRUE;
}

// Any timer message counts; the timer goes with the window.
void CRebootDlg::OnTimer(UINT_PTR) {
    if (m_ticks++ >= kQuietTicks)
        CDialog::OnOK();
    Default();
}
