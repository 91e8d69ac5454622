// The setup log, "<Windows directory>\veltrin.log": the program's own record
// of what it did, one line an action:
//   2024-05-01 14:03:09 share-add "E_Drive" "E:\" -> ok
// the local time, a word for the action, then its details; texts in quotes
// are escaped as the machine's journal escapes them, so a line is always one
// event. A log that cannot be written never stops the setup.
#pragma once

#include "platform/api.h"

#include <string>
#include <string_view>

inline constexpr char kSetupLogName[] = "veltrin.log";

// Appends "<time> <word> <details>" and a line end in one write.
void LogAction(std::string_view word, std::string_view details);

// "ok" for 0, else "error <code>": how a result reads in the log.
std::string ResultText(DWORD code);
