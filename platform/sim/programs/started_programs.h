// The waits for the programs this process started, for the programs' own
// ends (the launcher, a restart) and for tests.
#pragma once

namespace sim {

// Waits until every program this process started has ended: the launcher
// calls it last, so the CD's programs keep the terminal to themselves.
void WaitForStartedPrograms();

// Ends the programs this process started that still run: SIGTERM, and
// SIGKILL for those still there three seconds later. A restart ends them.
void EndStartedPrograms();

} // namespace sim
