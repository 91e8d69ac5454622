// "veltrin-sharing /undo": reads the undo file, shows what it will put back
// and, on Yes, puts it back: the registry exactly as recorded, and through
// the share API the shares that can be served again at once. Then the undo
// file goes; Windows must restart, as after the setup. A restore that fails
// keeps the undo file and says what failed.
#pragma once

enum class UndoOutcome {
    Done,           // put back, the undo file gone: Windows restarts now
    NothingChanged, // nothing to undo, or the person said No
    Failed,         // refused or failed, as a box has said: exit status 1
};

UndoOutcome RunUndo();
