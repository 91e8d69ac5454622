// The keyboard of a message box as Windows reads it: Tab and the arrow keys
// go round the buttons, Enter and Space press the focused one, Escape and
// Alt+F4 close the box as its close box does, a letter presses the button
// whose label starts with it, Alt+Space opens the system menu.
#pragma once

#include "platform/tui/key_event.h"

#include <vector>

namespace tui {

struct BoxKeyOutcome {
    int answer = 0; // the button chosen (IDOK, IDNO, ...), 0 for none
    bool openMenu = false;
    bool beep = false;
};

// Handles a key for the message box with these buttons; *focus (the focused
// button's index) follows it.
BoxKeyOutcome HandleMessageBoxKey(const std::vector<int> &buttons, int *focus,
                                  const KeyEvent &event);

} // namespace tui
