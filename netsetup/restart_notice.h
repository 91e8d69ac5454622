// The restart notice: tells the user that the computer restarts, and closes
// itself after five ticks of its 900 ms timer (about 4.5 seconds). Escape or
// the close box end it at once.
#pragma once

#include "platform/framework.h"

class CRebootDlg : public CDialog {
  public:
    explicit CRebootDlg(CWnd *parent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR timerId);

    DECLARE_MESSAGE_MAP()

  private:
    // Ticks of this showing; every notice counts from 0, so a second notice
    // in the same process shows as long as the first.
    DWORD m_ticks = 0;
};
