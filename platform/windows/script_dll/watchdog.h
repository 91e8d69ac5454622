// The watchdog of a scripted run: a run that makes no progress for a while
// (a window the response file cannot reach, a program that never returns)
// stops with exit status 3 instead of hanging.
#pragma once

#include <string>

namespace win32 {

// Starts watching; `quietLimitMs` is how long the run may go without progress.
void StartWatchdog(const std::string &scriptPath, unsigned long quietLimitMs);
// The run moved on; it may now be quiet for `extraMs` (a wait of the script)
// on top of the limit. `showing` describes what is on the screen.
void WatchdogProgress(unsigned long extraMs, const std::string &showing);

} // namespace win32
