// Resource ids shared by the resource script and the code. Plain #defines so
// that both the C++ compiler and the resource compiler read this file.
#ifndef VP_RES_RESOURCE_H
#define VP_RES_RESOURCE_H

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SHARING_DIALOG 132
#define IDD_ROLE_DIALOG 133
#define IDD_REBOOT_DIALOG 134
#define IDI_APP_ICON 137

// System-menu command of the About item; the low four bits stay clear
// because Windows uses them in WM_SYSCOMMAND.
#define IDM_ABOUTBOX 0x0010

#define IDC_SHARE_DRIVE 1002
#define IDC_UNSHARE_DRIVE 1003
#define IDC_SHARE_PRINTER 1004
#define IDC_UNSHARE_PRINTER 1005
#define IDC_LOCAL_DRIVES 1011
#define IDC_SHARED_DRIVES 1012
#define IDC_LOCAL_PRINTERS 1013
#define IDC_SHARED_PRINTERS 1014
#define IDC_GATEWAY 1030
#define IDC_CLIENT 1031

#endif
