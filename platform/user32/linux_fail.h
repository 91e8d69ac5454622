// Ending the program when a run cannot go on.
#pragma once

#include "platform/script/exit_status.h"

#include <string>

namespace ui {

// Writes "<program>: <message>" to stderr and ends the process with `status`.
[[noreturn]] void Fail(const std::string &message, int status = script::kNoAnswerExitCode);

} // namespace ui
