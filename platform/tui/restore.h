// Restoring the terminal from a signal handler, where curses cannot be
// called: the terminal modes saved before curses started and the escape
// sequences that leave curses' screen, written with write(2).
#pragma once

namespace tui {

// Saves the terminal modes of fd and installs the handlers for the
// terminating and crash signals that have no handler yet.
void PrepareSignalRestore(int fd);
// The sequences that undo what curses set on the screen; kept for the
// handlers, up to a fixed length.
void SetRestoreSequence(const char *sequence);
// Whether a handler is to restore the terminal (curses mode on).
void SetRestoreArmed(bool armed);

} // namespace tui
