// The application object: its start-up runs the media launcher and returns
// false, so no message loop runs and the process ends with exit code 0.
#pragma once

#include "platform/framework.h"

class CSetupApp : public CWinApp {
  public:
    BOOL InitInstance() override;
};
