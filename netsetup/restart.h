// Restart scheduling: registers the CD's setup program to run once after the
// restart, shows the restart notice, then asks Windows to restart.
#pragma once

#include "platform/api.h"

// Writes "InternetSW" = "<L>:\Tzr\Setup.exe " under
// HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce (made when missing),
// L from the setup state's CD root path; then RestartWindows. An entry that
// cannot be written is told before the notice, with the program to run after
// the restart. Both warnings are owned by owner.
void ScheduleRestart(HWND owner);

// The restart notice, then ExitWindowsEx(EWX_REBOOT, 0), both logged; a
// restart that Windows refuses is told after it.
void RestartWindows(HWND owner);
