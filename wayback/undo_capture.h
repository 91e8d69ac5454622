// Records in the undo file what the setup is about to change, before it
// changes anything: each share it may remove or make (its whole subkey, or
// its deletion when the setup makes it), "Attributes" and "Share Name" of
// each printer whose share it changes, "IPAddress" and "IPMask" of each
// class key the address walk reaches, and RunOnce's "InternetSW" (or the
// RunOnce key, when the setup has to make it). An undo file that is there
// already keeps what it holds; only what it does not hold yet is added.
#pragma once

#include "platform/api.h"

#include <string>
#include <vector>

// What a run may change among the shares, as the sharing dialog's choice
// says before the first change.
struct UndoScope {
    std::vector<std::string> shares;   // share names it may remove or make
    std::vector<std::string> printers; // printers whose share it changes
};

// True once the undo file holds the state to go back to. False when it
// cannot be read or written, or the state to record cannot be read: then a
// message box owned by owner has said why, and the setup must change
// nothing.
bool RecordUndoState(HWND owner, const UndoScope &scope);
