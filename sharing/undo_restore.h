// "veltrin-sharing /undo": reads the undo file, shows what it will put back
// and, on Yes, puts it back: the registry exactly as recorded, and through
// the share API the shares that can be served again at once. Then the undo
// file goes and Windows restarts, as after the setup. A restore that fails
// keeps the undo file and says what failed.
#pragma once

// False when the undo was refused or failed: the program ends with status 1.
bool RunUndo();
