// machine.ini: which drives the machine has, of which type, where its
// Windows directory is, and whether a program keeps Windows from restarting.
//   [Drives]  A=removable  C=fixed  E=cdrom  F=remote  R=ramdisk
//   [System]  WindowsDirectory=C:\WINDOWS  RefuseRestart=1
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct MachineConfig {
    // DRIVE_* code per letter A..Z; DRIVE_NO_ROOT_DIR when the letter is not listed.
    std::array<unsigned, 26> driveTypes{};
    std::string windowsDirectory = "C:\\WINDOWS";
    // A running program refuses to close: ExitWindowsEx fails.
    bool refuseRestart = false;
    // One message per line that could not be used ("machine.ini:3: ...").
    std::vector<std::string> errors;
    // machine.ini could not be read at all: a machine without drives.
    bool unreadable = false;
};

// Reads the text of machine.ini; fileName prefixes the error messages.
MachineConfig ParseMachineConfig(std::string_view text, const std::string &fileName);

// The configuration of the machine in use, read again whenever the file has
// changed. Errors are printed to stderr once per version of the file. A
// file that is missing or cannot be read gives a machine without drives,
// and says why.
MachineConfig CurrentMachineConfig();

// Whether the machine in use can be used at all: its machine.ini reads. When
// not, CurrentMachineConfig has told why on stderr. The programs ask first,
// before they show anything.
bool MachineUsable();

// The DRIVE_* code of a letter ('a'..'z' accepted), DRIVE_NO_ROOT_DIR for
// anything that is not a drive of the machine.
unsigned DriveTypeOf(char letter);

} // namespace sim
