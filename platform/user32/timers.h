// Window timers on the modal loop's own clock. The clock moves only when the
// loop is told that time passed (virtual time for the script driver, real
// time measured by the terminal driver), at full resolution.
#pragma once

#include "platform/api.h"
#include "platform/user32/driver.h"

#include <chrono>
#include <functional>
#include <optional>

namespace ui {

// Time until the next timer of any window is due; none when no timer runs.
std::optional<Duration> UntilNextTimer();
// Moves the clock on by `elapsed`, sending WM_TIMER for every tick that falls
// due on the way, earliest first. After each tick `stop` is asked; when it
// says so the clock stays at that tick and the rest of the time is dropped.
void AdvanceClock(Duration elapsed, const std::function<bool()> &stop);
void KillWindowTimers(HWND window);

} // namespace ui
