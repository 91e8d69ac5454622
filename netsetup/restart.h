// Restart scheduling: registers the CD's setup program to run once after the
// restart, shows the restart notice, then asks Windows to restart.
#pragma once

// Writes "InternetSW" = "<L>:\Tzr\Setup.exe " under
// HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce (an existing key
// only), L from the setup state's CD root path; then the notice; then
// ExitWindowsEx(EWX_REBOOT, 0). Returns after the request, whatever Windows
// answered.
void ScheduleRestart();

// The restart notice, then ExitWindowsEx(EWX_REBOOT, 0); both logged.
void RestartWindows();
