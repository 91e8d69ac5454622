// Turning the user's input into what Windows would send the dialog.
#pragma once

#include "platform/user32/driver.h"

#include <string>

namespace ui {

// Lets input.elapsed pass (timers fire), then acts on the input: a click
// checks automatic buttons and sends BN_CLICKED, a selection LBN_SELCHANGE,
// a double-click LBN_DBLCLK, a system-menu choice WM_SYSCOMMAND. Returns
// false with *why set when the input does not fit the window; nothing is
// changed then.
bool ApplyInput(Window &window, const Input &input, std::string *why);

} // namespace ui
