// The machine's registry for the other parts of the simulation and the
// machine tool. Each call works on the registry.reg of the machine in use
// (sim::RegistryPath()) and sees every other process's latest changes.
//
// Failures: the message is "<file>:<line>: <what>" for a registry file that
// does not parse (nothing is then written), "<file>: <reason>" when the file
// cannot be read or saved, "line N: <what>" for an import text that does not
// parse. The Windows code, where asked for, is ERROR_BADDB (1009) for a file
// that does not parse, ERROR_ACCESS_DENIED (5) or ERROR_WRITE_FAULT (29)
// when it cannot be read or saved.
#pragma once

#include "platform/sim/registry/file.h"
#include "platform/sim/registry/tree.h"

#include <functional>
#include <string>
#include <string_view>

namespace sim::reg {

// The registry file of the machine in use, kept across calls.
RegistryFile &MachineRegistry();

// REGEDIT4 text of the key at keyPath ("a\b", "" for all of
// HKEY_LOCAL_MACHINE, which may also lead the path) and everything below it.
// Fails when the key is missing.
bool ExportText(const std::string &keyPath, std::string *out, std::string *error);

// Applies a .reg text ([KEY], [-KEY], "name"=- included) to the registry as
// one locked change. When the text does not parse, nothing is written.
bool ImportText(std::string_view regText, std::string *error);

// Runs describe on the newest tree under the registry's lock; the change it
// writes as REGEDIT4 text is applied and saved as one, so its steps land
// together or not at all, in one short write for a small change on a big
// registry (see RegistryFile::AppendChange). When describe returns false nothing is
// written and error and code are left alone.
bool ApplyChange(const std::function<bool(const Key &root, ChangeText *change)> &describe,
                 std::string *error = nullptr, LONG *code = nullptr);

} // namespace sim::reg
