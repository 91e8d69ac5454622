// The response-file run of the Windows build (VELTRIN_UI=script:<file>): the
// same response files as every build, acted out on the real windows.
//
// A dialog gets its next action once it is on the screen and its modal loop
// is idle (a thread timer, which Windows delivers only when nothing else is
// queued: the dialog is painted and waiting). The action becomes what Windows would deliver (a
// BM_CLICK, an LB_SETCURSEL with its notifications, a WM_SYSCOMMAND); `wait`
// lets real time pass while the dialog's own timers run. A message box is
// shown for real and its button pressed. VELTRIN_SCRIPT_PAUSE=<ms> keeps each
// dialog and message box on the screen that long before it is answered (for
// people watching, and for screenshots).
//
// An action that does not fit, a file that ends while something waits, or a
// run that makes no progress (the watchdog) stops the program with exit
// status 3 and "<program>: <file>:<line>: ..." on the standard error.
#pragma once

#include "platform/api.h"

#include <string>

namespace win32::script {

// Reads the file and joins the run's position; stops the program when the
// file cannot be read or has a wrong line.
void Start(const std::string &path);
bool Active();

// Called by the dialog procedure when the dialog manager shows the dialog
// (after WM_INITDIALOG), and once the dialog has left the open dialogs at
// WM_DESTROY.
void DialogShown(HWND dialog);
void DialogClosed(HWND dialog);

// Shows the message box and answers it from the response file.
int AnswerMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

} // namespace win32::script
