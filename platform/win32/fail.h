// Ending the program when a run cannot go on.
#pragma once

#include <string>

namespace win32 {

// Exit status of a run that could not get the user's answer (every
// response-file error), as in every build.
constexpr int kNoAnswerExitCode = 3;

// Writes "veltrin: <message>" to the standard error (where there is one: a
// program started from a console or under Wine) and ends the process at once,
// from however deep in nested modal loops.
[[noreturn]] void Fail(const std::string &message, int status = kNoAnswerExitCode);

} // namespace win32
