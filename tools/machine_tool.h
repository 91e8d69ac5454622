// veltrin-machine: create, inspect, edit and restart a simulated machine.
#pragma once

#include "platform/win32.h"

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

// Makes dir the machine of this process; false (with a message) when it is
// not a machine folder.
bool OpenMachine(const std::string &dir);

// Reads a string value of HKLM\keyPath; empty when missing.
std::string ReadString(const std::string &keyPath, const std::string &name);

struct NamedValue {
    std::string name;
    DWORD type;
    std::string data; // a string's data without its terminating NUL
};

// The values of HKLM\keyPath in their order; empty when the key is missing.
std::vector<NamedValue> Values(const std::string &keyPath);

} // namespace tool
