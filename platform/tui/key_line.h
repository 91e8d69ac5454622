// The key line: the terminal's bottom row names the keys that work on what
// has the focus, so that a person who does not know the keys of Windows
// finds them. The keys are those of Windows; the line only tells them, and
// only those that do something in the window: no Tab without another tab
// stop to go to, no Enter without a button to press.
#pragma once

#include "platform/tui/screen_view.h"

#include <string>

namespace tui {

// For example "Tab next  Space press  Enter OK  Esc cancel  Alt+Space menu".
std::string KeyLine(const ScreenRequest &request);

} // namespace tui
