// Keys of Windows 9x that the setup programs, the simulated machine and the
// machine tool all use, under HKEY_LOCAL_MACHINE.
#pragma once

// One subkey per persistent share: Type, Flags, Path, Remark, Parm1enc,
// Parm2enc.
inline constexpr char kShareKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan";

// One value per command Windows runs once at its next start, then removes.
inline constexpr char kRunOnceKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// One subkey per printer: Port, Attributes, "Share Name" (only when shared),
// "Printer Driver", "Description".
inline constexpr char kPrintersKeyPath[] = "System\\CurrentControlSet\\control\\Print\\Printers";

// The device classes' driver keys, each "<class>\<nnnn>": a binding's
// "Driver" value names one below this.
inline constexpr char kClassKeyPrefix[] = "System\\CurrentControlSet\\Services\\Class\\";

// Its existence alone says that Winsock 2 is installed.
inline constexpr char kWinsock2KeyPath[] = "System\\CurrentControlSet\\Services\\Winsock2";
