// Registry keys of the machine's network services, under HKEY_LOCAL_MACHINE
// (the share key, kShareKeyPath, with the others every program uses).
#pragma once

#include "platform/registry_keys.h"

namespace sim {

// One subkey per printer: Port, Attributes, "Share Name" (only when shared),
// "Printer Driver", "Description".
inline constexpr const char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers";

} // namespace sim
