#include "netsetup/role_dlg.h"

#include "netsetup/setup_state.h"
#include "res/resource.h"

CRoleDlg::CRoleDlg(CWnd *parent) : CDialog(IDD_ROLE_DIALOG, parent) {}

BEGIN_MESSAGE_MAP(CRoleDlg, CDialog)
ON_BN_CLICKED(IDC_CLIENT, &CRoleDlg::OnClient)
ON_BN_CLICKED(IDC_GATEWAY, &CRoleDlg::OnGateway)
END_MESSAGE_MAP()

// "Client" is shown selected, but the role flag keeps its value until the
// user clicks: closing the dialog untouched keeps the role from before.
BOOL CRoleDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_CLIENT, BST_CHECKED);
    return TRUE;
}

void CRoleDlg::OnClient() {
    g_setupState.roleFlag = RoleFlag::Client;
}

void CRoleDlg::OnGateway() {
    g_setupState.roleFlag = RoleFlag::Gateway;
}
