// The share key: one subkey per persistent share, named after the share,
// with the values "Type" (four zero bytes for a disk share) and "Path".
#pragma once

#include "platform/api.h"
#include "platform/registry_keys.h"

#include <functional>

// Calls visit(subkey, name) for every subkey whose "Type" marks a disk
// share, in enumeration order. The subkey is open only during the call.
// Nothing is visited when the share key cannot be opened.
void ForEachDiskShare(const std::function<void(HKEY subkey, const char *name)> &visit);
