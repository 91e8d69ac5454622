// The simulated Windows 9x machine: a folder holding machine.ini,
// registry.reg, drives/<L>/ and journal.log.
#pragma once

#include <string>

namespace sim {

// The folder of the machine in use: the one chosen by UseMachine, else
// $VELTRIN_MACHINE, else the embedded default machine (copied on first use
// to $XDG_DATA_HOME/veltrin/machine, or ~/.local/share/veltrin/machine).
const std::string &MachineDir();
// Where the copy of the embedded default machine is kept.
std::string DefaultMachineDir();

// Chooses the machine folder for this process (tests, the machine tool).
// Drops everything cached from the machine used before.
void UseMachine(const std::string &dir);

std::string RegistryPath(); // <machine>/registry.reg
std::string JournalPath();  // <machine>/journal.log

// Appends one line (a newline is added) to the machine's journal.
// Control characters are written as \xNN, so one call is always one line.
void AppendJournal(const std::string &line);

// Writes a copy of the embedded default machine to dir, which must not exist
// (or be an empty folder). On failure nothing is left behind and *error says
// why.
bool CopyDefaultMachine(const std::string &dir, std::string *error);

} // namespace sim
