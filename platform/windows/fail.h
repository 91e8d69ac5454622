// Ending the program when a run cannot go on.
#pragma once

#include "platform/script/exit_status.h"

#include <string>

namespace win32 {

// Writes "veltrin: <message>" to the standard error (where there is one: a
// program started from a console or under Wine) and ends the process at once,
// from however deep in nested modal loops.
[[noreturn]] void Fail(const std::string &message, int status = ::script::kNoAnswerExitCode);

} // namespace win32
