#include "sharing/sharing_dlg.h"

#include "sharing/about_dlg.h"
#include "sharing/dialog_title.h"

CSharingDlg::CSharingDlg(CWnd *parent)
    : CDialog(IDD_SHARING_DIALOG, parent), m_driveMask(0), m_sharedDriveMask(0), m_printerCount(0),
      m_printers(nullptr),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON))) {}

void CSharingDlg::DoDataExchange(CDataExchange *dx) {
    CDialog::DoDataExchange(dx);
}

// clang-format off
BEGIN_MESSAGE_MAP(CSharingDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_LBN_DBLCLK(IDC_LOCAL_DRIVES, &CSharingDlg::ShareSelectedDrive)
    ON_BN_CLICKED(IDC_SHARE_DRIVE, &CSharingDlg::ShareSelectedDrive)
    ON_LBN_DBLCLK(IDC_SHARED_DRIVES, &CSharingDlg::UnshareSelectedDrive)
    ON_BN_CLICKED(IDC_UNSHARE_DRIVE, &CSharingDlg::UnshareSelectedDrive)
    ON_BN_CLICKED(IDC_SHARE_PRINTER, &CSharingDlg::ShareSelectedPrinter)
    ON_LBN_DBLCLK(IDC_LOCAL_PRINTERS, &CSharingDlg::ShareSelectedPrinter)
    ON_LBN_DBLCLK(IDC_SHARED_PRINTERS, &CSharingDlg::UnshareSelectedPrinter)
    ON_BN_CLICKED(IDC_UNSHARE_PRINTER, &CSharingDlg::UnshareSelectedPrinter)
END_MESSAGE_MAP()
// clang-format on

namespace {

// The About item joins the system menu only when its text is there.
void AddAboutItem(HMENU systemMenu) {
    char text[80];
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text) <= 0 ||
        text[0] == '\0')
        return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

} // namespace

BOOL CSharingDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    BuildDialogTitle();
    SetWindowText(g_titleBuffer);

    if (HMENU systemMenu = GetSystemMenu(FALSE))
        AddAboutItem(systemMenu);

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    ReadDriveInventory();
    ReadPrinterInventory();
    FillDriveLists();
    FillPrinterLists();
    return TRUE; // the focus goes to the first tab stop, the OK button
}

void CSharingDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

// The table pointer is cleared with its block, so that a dialog object run
// again never gives the same block back twice.
void CSharingDlg::OnDestroy() {
    if (m_printers) {
        LocalFree(LocalHandle(m_printers));
        m_printers = nullptr;
        m_printerCount = 0;
    }
    Default();
}

// Minimised, the dialog shows its icon centred in the client area.
void CSharingDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const int width = static_cast<int>(client.right - client.left);
    const int height = static_cast<int>(client.bottom - client.top);
    DrawIcon(dc, (width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR CSharingDlg::OnQueryDragIcon() {
    return m_hIcon;
}
