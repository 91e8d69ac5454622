// The role selection dialog: is this computer the home network's Internet
// gateway or one of its clients? The answer lives in the setup state's role
// flag, which only the two radio buttons write.
#pragma once

#include "platform/framework.h"

class CRoleDlg : public CDialog {
  public:
    explicit CRoleDlg(CWnd *parent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    void OnClient();
    void OnGateway();

    DECLARE_MESSAGE_MAP()
};
