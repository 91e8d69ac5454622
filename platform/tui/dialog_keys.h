// The keyboard of a dialog as the Windows dialog manager reads it: Tab and
// Shift+Tab over tab stops, arrow keys inside a list box or a control group
// (an automatic radio button reached by the arrows is clicked), Space
// presses, Enter the default button, Escape cancels, Alt+F4 closes as the
// close box does, Alt+Space opens the system menu, a button's mnemonic
// presses it.
#pragma once

#include "platform/tui/dialog_state.h"
#include "platform/tui/key_event.h"
#include "platform/user32/driver.h"

#include <optional>

namespace tui {

struct KeyOutcome {
    std::optional<ui::Input> input; // what the dialog is given, if anything
    bool focusMoved = false;
    bool openMenu = false;
    bool beep = false;
};

// Handles a key for the active dialog; the focus and list caret in state
// follow it.
KeyOutcome HandleDialogKey(const ui::Window &window, DialogState &state, const KeyEvent &event);

// The entry of a list box that a key moves to from `from` (the selection, or
// the caret when nothing is selected); -1 for a key that does not move.
int ListKeyTarget(Key key, int from, bool selected, int count, int page);

} // namespace tui
