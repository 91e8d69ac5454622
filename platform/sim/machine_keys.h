// Registry keys of the machine's network services, under HKEY_LOCAL_MACHINE.
#pragma once

namespace sim {

// One subkey per persistent share (Windows 9x): Type, Flags, Path, Remark,
// Parm1enc, Parm2enc.
inline constexpr const char kShareKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan";

// One subkey per printer: Port, Attributes, "Share Name" (only when shared),
// "Printer Driver", "Description".
inline constexpr const char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers";

} // namespace sim
