// SetTimer, KillTimer and the clock that fires them.
#include "platform/user32/timers.h"

#include "platform/user32/window_manager.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

struct Timer {
    HWND window;
    UINT_PTR id;
    Duration period;
    Duration due;
    TIMERPROC proc;
    std::uint64_t order; // equal due times fire in the order the timers were set
};

struct Clock {
    Duration now{0};
    std::vector<Timer> timers;
    std::uint64_t nextOrder = 0;
};

Clock &TheClock() {
    static Clock clock;
    return clock;
}

// Windows' USER_TIMER_MINIMUM and USER_TIMER_MAXIMUM.
constexpr UINT kMinimumPeriod = 10;
constexpr UINT kMaximumPeriod = 0x7FFFFFFF;

std::vector<Timer>::iterator Earliest(std::vector<Timer> &timers) {
    return std::min_element(timers.begin(), timers.end(), [](const Timer &a, const Timer &b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
}

std::vector<Timer>::iterator Find(std::vector<Timer> &timers, HWND window, UINT_PTR id) {
    return std::find_if(timers.begin(), timers.end(),
                        [&](const Timer &t) { return t.window == window && t.id == id; });
}

void Fire(const Timer &timer, Duration at) {
    if (timer.proc) {
        timer.proc(
            timer.window, WM_TIMER, timer.id,
            static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(at).count()));
        return;
    }
    if (Window *window = FindWindow(timer.window))
        SendToDialog(*window, WM_TIMER, timer.id, 0);
}

} // namespace

std::optional<Duration> UntilNextTimer() {
    Clock &clock = TheClock();
    if (clock.timers.empty())
        return std::nullopt;
    return std::max(Duration{0}, Earliest(clock.timers)->due - clock.now);
}

void AdvanceClock(Duration elapsed, const std::function<bool()> &stop) {
    Clock &clock = TheClock();
    const Duration target = clock.now + std::max(Duration{0}, elapsed);
    while (!clock.timers.empty()) {
        auto next = Earliest(clock.timers);
        if (next->due > target)
            break;
        // The handler may set or kill timers: work on a copy.
        const Timer tick = *next;
        clock.now = tick.due;
        next->due += next->period;
        Fire(tick, clock.now);
        if (stop())
            return;
    }
    clock.now = target;
}

void KillWindowTimers(HWND window) {
    std::erase_if(TheClock().timers, [&](const Timer &t) { return t.window == window; });
}

} // namespace ui

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerFunc) {
    using namespace ui;
    // Only window timers: the dialogs own every timer of this program.
    if (!FindWindow(window))
        return 0;
    Clock &clock = TheClock();
    const Duration period =
        std::chrono::milliseconds(std::clamp(elapse, kMinimumPeriod, kMaximumPeriod));
    const Timer timer{window, id, period, clock.now + period, timerFunc, clock.nextOrder++};
    auto existing = Find(clock.timers, window, id);
    if (existing != clock.timers.end())
        *existing = timer; // setting it again starts the period anew
    else
        clock.timers.push_back(timer);
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto &timers = ui::TheClock().timers;
    auto found = ui::Find(timers, window, id);
    if (found == timers.end())
        return FALSE;
    timers.erase(found);
    return TRUE;
}
