// Turning the user's input into what Windows would send the dialog.
#pragma once

#include "platform/user32/driver.h"

#include <string>

namespace ui {

// An input reaches a dialog in three steps, so that the modal loop can tell
// what happened to it (the recording writes only what reached the dialog).
//
// Lets the time pass (timers fire); false when a tick ended the dialog
// meanwhile, so that the input never reaches it.
bool LetTimePass(Window &window, Duration elapsed);
// Why the input does not fit the window (a click on a missing or disabled
// control, an entry past a list's end, a command not in the system menu);
// empty when it fits.
std::string Misfit(Window &window, const Input &input);
// Acts on an input that fits, as Windows would: a click checks automatic
// buttons and sends BN_CLICKED, a selection LBN_SELCHANGE, a double-click
// LBN_DBLCLK, a system-menu choice WM_SYSCOMMAND.
void Act(Window &window, const Input &input);

} // namespace ui
