// The share key: one subkey per persistent share, named after the share,
// with the values "Type" (four zero bytes for a disk share) and "Path".
#pragma once

#include "platform/api.h"
#include "platform/registry_keys.h"

#include "platform/function_ref.h"

// Calls visit(subkey, name) for every subkey whose "Type" marks a disk
// share, in enumeration order. The subkey is open only during the call.
// Nothing is visited when the share key cannot be opened.
void ForEachDiskShare(vp::FunctionRef<void(HKEY subkey, const char *name)> visit);
