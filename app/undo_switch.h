// The dialog suite's one switch of its own: "/undo" (or "-undo", in any
// case) runs the restore instead of the sharing dialog.
#pragma once

// True when an argument of the Windows command line (the program's name,
// first, is passed over) is /undo or -undo.
bool HasUndoSwitch(const char *commandLine);
