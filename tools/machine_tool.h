// veltrin-machine: create, inspect, edit and restart a simulated machine.
#pragma once

#include "platform/api.h"

#include <string>
#include <vector>

namespace tool {

using Args = std::vector<std::string>;

// Each command returns the process exit status; messages go to stderr.
int CommandNew(const Args &args);
int CommandReset(const Args &args);
int CommandShow(const Args &args);
int CommandReg(const Args &args);
int CommandBoot(const Args &args);

// Makes dir the machine of this process; an empty dir leaves it the machine
// the programs use ($VELTRIN_MACHINE, else the default machine's copy, made
// on first use). False (with a message) when it is not a machine folder.
bool OpenMachine(const std::string &dir);

// The folder argument of show and boot: none at all names the programs'
// machine (""); more than one is a usage fault (false).
bool MachineArgument(const Args &args, std::string *dir);

// Whether the machine's registry reads; when not, the registry has said why
// on stderr.
bool RegistryReadable();

// Flushes stdout: false, with a message, when any of it could not be
// written (a full disk, a closed pipe).
bool OutputWritten();

// Reads a string value of HKLM\keyPath, whatever its size; empty when
// missing.
std::string ReadString(const std::string &keyPath, const std::string &name);

struct NamedValue {
    std::string name;
    DWORD type;
    std::string data; // a string's data without its terminating NUL
};

// The subkey names / values of HKLM\keyPath in their order, whatever their
// sizes: ERROR_SUCCESS, or the code that stopped the reading (names and
// values then hold what was read before).
LONG Subkeys(const std::string &keyPath, std::vector<std::string> *names);
LONG Values(const std::string &keyPath, std::vector<NamedValue> *values);

} // namespace tool
