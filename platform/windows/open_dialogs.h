// The dialogs of this thread whose modal run is going on, innermost last:
// they own the message boxes and nested dialogs shown from their handlers,
// and the response file acts on the innermost.
#pragma once

#include "platform/framework.h"

namespace win32 {

void DialogStarted(CDialog &dialog); // at WM_INITDIALOG
void DialogStopped(CDialog &dialog); // at WM_DESTROY
CDialog *InnermostDialog();
// The open dialog whose window, or one of whose controls, `window` is.
CDialog *OpenDialogOf(HWND window);

} // namespace win32
