// Registry keys of the machine's network services, under HKEY_LOCAL_MACHINE
// (the share key and the printers, kShareKeyPath and kPrintersKeyPath, with
// the others every program uses).
#pragma once

#include "platform/registry_keys.h"

namespace sim {

inline constexpr const auto &kPrintersKey = kPrintersKeyPath;

} // namespace sim
