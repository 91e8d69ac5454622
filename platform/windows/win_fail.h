// Ending the program when a run cannot go on.
#pragma once

#include "platform/script/exit_status.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace win32 {

// This program's name as its file gives it: "veltrin-sharing", "SHARING"
// for a copy named SHARING.EXE.
std::string ProgramName();

// Writes "<program>: <message>" as one line to the standard error; false
// where there is none (a program started from Explorer) or it cannot be
// written.
bool WriteErrorLine(std::string_view message);

// Writes "<program>: " and the pieces of the message, as one line, to the
// standard error (where there is one: a program started from a console or
// under Wine) and ends the process at once, from however deep in nested
// modal loops.
[[noreturn]] void Fail(std::initializer_list<std::string_view> message,
                       int status = ::script::kNoAnswerExitCode);

} // namespace win32
