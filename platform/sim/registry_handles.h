// The open registry keys of this process. A handle names its key by path,
// not by pointer, because the tree is replaced whenever the file is read
// again; a key deleted meanwhile is then simply not found.
#pragma once

#include "platform/win32.h"

#include <string>

namespace sim::reg {

// A new handle for the key at path (stored case, "" for the root). Handle
// values are never reused, so a stale one stays invalid.
HKEY OpenHandle(std::string path);

// The path a handle names: "" for HKEY_LOCAL_MACHINE; null for a handle that
// is not open and for the other predefined roots, which this machine lacks.
const std::string *HandlePath(HKEY key);

// Forgets a handle; false when it was not open. Closing
// HKEY_LOCAL_MACHINE succeeds and changes nothing.
bool ReleaseHandle(HKEY key);

} // namespace sim::reg
