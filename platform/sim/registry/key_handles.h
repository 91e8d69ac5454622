// The open registry keys of this process. A handle names its key by path,
// not by pointer, because the tree is replaced whenever the file is read
// again; a key deleted meanwhile is then simply not found.
#pragma once

#include "platform/api.h"
#include "platform/sim/registry/tree.h"

#include <cstdint>
#include <string>

namespace sim::reg {

// An open key: the path it names, and where the key was found in the tree
// of that generation (RegistryFile::Generation), which spares walking the
// path again while the tree is the same.
struct OpenKey {
    std::string path;
    const Key *key = nullptr;
    std::uint64_t generation = 0;
};

// A new handle for the key at path (stored case, "" for the root). Handle
// values are never reused, so a stale one stays invalid.
HKEY OpenHandle(std::string path);

// The open key of a handle ("" for HKEY_LOCAL_MACHINE); null for a handle
// that is not open and for the other predefined roots, which this machine
// lacks.
OpenKey *FindHandle(HKEY key);

// Forgets a handle; false when it was not open. Closing
// HKEY_LOCAL_MACHINE succeeds and changes nothing.
bool ReleaseHandle(HKEY key);

} // namespace sim::reg
