// Records in the undo file what the setup is about to change, before it
// changes anything: the whole share key, each printer's "Attributes" and
// "Share Name", "IPAddress" and "IPMask" of each class key the address walk
// reaches, and RunOnce's "InternetSW". An undo file that is there already
// keeps what it holds; only what it does not hold yet is added.
#pragma once

#include "platform/api.h"

// True once the undo file holds the state to go back to. False when it
// cannot be read or written: then a message box owned by owner has said why,
// and the setup must change nothing.
bool RecordUndoState(HWND owner);
