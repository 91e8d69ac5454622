// Where a dialog appears: the framework centres a dialog that its
// initialisation left where the template put it, over its owner window or,
// without a visible owner, on the screen.
#pragma once

#include "platform/api.h"

namespace win32 {

// `before` is the window's rectangle before WM_INITDIALOG.
void CenterAfterInit(HWND dialog, const RECT &before);

} // namespace win32
