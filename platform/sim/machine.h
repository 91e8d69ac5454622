// The simulated Windows 9x machine: a folder holding machine.ini,
// registry.reg, drives/<L>/ and journal.log.
#pragma once

#include <string>

namespace sim {

// The folder of the machine in use: the one chosen by UseMachine, else
// $VELTRIN_MACHINE, else the embedded default machine (copied on first use
// to $XDG_DATA_HOME/veltrin/machine, or ~/.local/share/veltrin/machine).
const std::string &MachineDir();

// Chooses the machine folder for this process (tests, the machine tool).
// Drops everything cached from the machine used before.
void UseMachine(const std::string &dir);

std::string RegistryPath(); // <machine>/registry.reg
std::string JournalPath();  // <machine>/journal.log

// Appends one line (a newline is added) to the machine's journal.
void AppendJournal(const std::string &line);

} // namespace sim
