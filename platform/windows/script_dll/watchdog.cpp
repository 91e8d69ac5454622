// One thread that sleeps until the deadline; every progress report wakes it
// to move the deadline on.
#include "platform/windows/script_dll/watchdog.h"

#include "platform/api.h"
#include "platform/framework/decimal_text.h"
#include "platform/windows/win_fail.h"

namespace win32 {

namespace {

struct State {
    CRITICAL_SECTION lock;
    HANDLE moved = nullptr; // set on every progress report
    DWORD limit = 0;
    DWORD lastProgress = 0; // GetTickCount() of the last report
    DWORD allowed = 0;      // quiet time allowed since then
    std::string scriptPath;
    std::string showing;
};

State &Watch() {
    static State state;
    return state;
}

// Milliseconds left before the deadline; 0 once it has passed.
DWORD Remaining(State &state) {
    EnterCriticalSection(&state.lock);
    const DWORD quiet = GetTickCount() - state.lastProgress;
    const DWORD left = quiet < state.allowed ? state.allowed - quiet : 0;
    LeaveCriticalSection(&state.lock);
    return left;
}

DWORD WINAPI WatchThread(LPVOID) {
    State &state = Watch();
    while (true) {
        const DWORD left = Remaining(state);
        if (left == 0)
            break;
        WaitForSingleObject(state.moved, left);
    }
    // The process ends here with the lock held: a progress report that
    // comes now waits for the end.
    EnterCriticalSection(&state.lock);
    Fail({state.scriptPath, ": no progress for ", vp::DecimalText(state.allowed / 1000),
          " s (showing: ", state.showing, ")"});
}

} // namespace

void StartWatchdog(const std::string &scriptPath, unsigned long quietLimitMs) {
    State &state = Watch();
    InitializeCriticalSection(&state.lock);
    state.moved = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    state.limit = quietLimitMs;
    state.scriptPath = scriptPath;
    state.showing = "nothing yet";
    state.lastProgress = GetTickCount();
    state.allowed = quietLimitMs;
    DWORD id = 0;
    if (const HANDLE thread = CreateThread(nullptr, 0, WatchThread, nullptr, 0, &id))
        CloseHandle(thread);
}

void WatchdogProgress(unsigned long extraMs, const std::string &showing) {
    State &state = Watch();
    if (!state.moved)
        return;
    EnterCriticalSection(&state.lock);
    state.lastProgress = GetTickCount();
    state.allowed = state.limit + extraMs;
    state.showing = showing;
    LeaveCriticalSection(&state.lock);
    SetEvent(state.moved);
}

} // namespace win32
