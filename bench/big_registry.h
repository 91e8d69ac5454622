// A registry the size of a well-used Windows 98 PC's HKEY_LOCAL_MACHINE:
// COM classes and interfaces, file types, device and driver keys, installed
// software, shared DLLs. The same seed always gives the same tree.
#pragma once

#include "platform/sim/registry/tree.h"

#include <cstddef>

namespace bench {

struct TreeCounts {
    std::size_t keys = 0;
    std::size_t values = 0;
};

// Adds about 50,000 keys and 200,000 values (about 10 MB of REGEDIT4) to root.
void AddFullRegistry(sim::reg::Key &root);

TreeCounts CountTree(const sim::reg::Key &root);

} // namespace bench
