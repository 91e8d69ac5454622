// Machines for the sharing tests: share-key entries written as REGEDIT4 text
// and the shares read back through the registry API.
#pragma once

#include "platform/api.h"
#include "tests/testkit/testkit.h"

#include <string>
#include <vector>

namespace sharing_test {

// REGEDIT4 text of one share subkey holding the value lines given.
std::string ShareKeyText(const std::string &name, const std::string &valueLines);
// REGEDIT4 text of one share subkey; typeData is the text after "Type"=,
// e.g. "dword:00000000" or "hex:00,00".
std::string ShareEntry(const std::string &name, const std::string &typeData,
                       const std::string &path);
// A disk share (Type four zero bytes) of path.
std::string DiskShare(const std::string &name, const std::string &path);
// REGEDIT4 text of one installed printer; a printer with a share name
// (also an empty one) is marked shared.
std::string Printer(const std::string &name, const std::string &port,
                    const char *shareName = nullptr);

// The subkey names of the share key, in enumeration order.
std::vector<std::string> ShareNames();
// A value of one share as text: strings as they are, other data as hex bytes.
std::string ShareValue(const std::string &share, const char *value);
// The lines of the machine's journal that start with prefix.
std::vector<std::string> JournalLines(const testkit::TempMachine &machine,
                                      const std::string &prefix);

} // namespace sharing_test
