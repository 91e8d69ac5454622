// The About box: template 100 and the framework's own OK handling.
#pragma once

#include "platform/framework.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
