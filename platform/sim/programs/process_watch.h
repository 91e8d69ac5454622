// The watch kept over the programs this process started: each counts as
// running until its reaper has seen it end, so no program is left a zombie
// and the waits for them (WaitForProcess, WaitForStartedPrograms,
// EndStartedPrograms) need no polling.
#pragma once

#include "platform/sim/programs/process_start.h"

#include <memory>

#include <sys/types.h>

namespace sim {

// A program just forked, counted among those running.
std::shared_ptr<Process> Watched(pid_t pid);

// Waits for the program's end on a thread of its own and records it.
void ReapWhenEnded(const std::shared_ptr<Process> &process);

} // namespace sim
