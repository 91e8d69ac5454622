// The program's terminal in curses mode. It is entered when a window shows
// and left, restored as the program found it, when none does, so that a
// program started meanwhile has the terminal to itself. It is restored on
// every way out as well: normal exit, exit(), a terminating signal, a crash.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/tui/geometry.h"
#include "platform/tui/key_event.h"

#include <chrono>
#include <optional>

namespace tui::term {

// A terminal is there: standard input and output (or /dev/tty) are a
// terminal whose TERM curses knows.
bool Usable();
// Curses mode on; false when the terminal cannot be set up.
bool Enter();
// Back to the terminal as it was; nothing when not in curses mode.
void Leave();

Size ScreenSize();
// Shows a canvas of the screen's size.
void Show(const Canvas &screen);
// The next Show redraws every cell (the screen was disturbed).
void Repaint();
using Deadline = std::optional<std::chrono::steady_clock::time_point>;
// Blocks until a key or a mouse action comes, or until the deadline (none: no
// limit) has passed; none when the time ran out. The wait is never cut short:
// it returns on time or later, never before the deadline.
std::optional<KeyEvent> Read(const Deadline &deadline);
void Beep();

} // namespace tui::term
