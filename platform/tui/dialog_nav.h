// Keyboard focus in a dialog as the Windows dialog manager moves it: Tab
// over tab stops, arrow keys inside a control group (a group starts at a
// control with WS_GROUP), Enter on the default button.
#pragma once

#include "platform/user32/window.h"

namespace tui {

// Buttons, check and radio buttons and list boxes that are visible and
// enabled take the focus; texts, icons and group boxes do not.
bool CanFocus(const ui::Control &control);
// Buttons, check and radio buttons that take the focus: what a click presses.
bool CanPress(const ui::Control &control);
// The first tab stop, else the first control that can take the focus, else -1.
int FirstFocus(const ui::Window &window);
// The next (or previous) tab stop after `from`, wrapping; `from` when none.
int NextTabStop(const ui::Window &window, int from, bool backward);
// Where Tab (or Shift+Tab) takes the focus from `from`: the first focus when
// nothing has it, else the next tab stop; `from` when it goes nowhere.
int TabTarget(const ui::Window &window, int from, bool backward);
// The next (or previous) control of from's group that can take the focus,
// wrapping inside the group; `from` when none.
int NextInGroup(const ui::Window &window, int from, bool backward);
// The button drawn as the default: the focused push button, else the
// template's BS_DEFPUSHBUTTON; -1 when none.
int DefaultButton(const ui::Window &window, int focus);
// The command Enter sends: the default button's id, IDOK when there is none.
int DefaultCommand(const ui::Window &window, int focus);
// The button whose mnemonic is key (lower case); -1 when none.
int MnemonicControl(const ui::Window &window, char key);

} // namespace tui
