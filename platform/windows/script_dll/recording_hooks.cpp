#include "platform/windows/script_dll/recording_hooks.h"

#include "platform/script/recording.h"
#include "platform/windows/script_dll/shown_window.h"
#include "platform/windows/win_fail.h"

#include <chrono>

namespace win32::recording {

namespace {

using ::script::Action;

// Real timers tick a little late, and a replay starts its wait a little
// after the dialog shows: each tick is recorded with this much to spare, so
// that the replay's wait outlasts the ticks it stands for.
constexpr DWORD kTickMarginMs = 50;

struct State {
    DWORD mark = 0;          // GetTickCount() of the last action or tick
    HWND selected = nullptr; // a list selection not yet written: a double click may follow
    Action selection;        // and its action
    ::script::ShownDialog selectedShown;
    HWND closing = nullptr; // a dialog closed from its system menu: its Cancel is no action
};

State &Recording() {
    static State state;
    return state;
}

void Record(HWND dialog, const Action &action) {
    ::script::recording::Acted(ShownWindow(dialog), action);
    Recording().mark = GetTickCount();
}

// A selection is written once it is clear that no double click follows.
void FlushSelection() {
    State &state = Recording();
    if (!state.selected)
        return;
    ::script::recording::Acted(state.selectedShown, state.selection);
    state.selected = nullptr;
}

Action Act(Action::Verb verb, int id) {
    Action action;
    action.verb = verb;
    action.id = id;
    return action;
}

void ListNotice(HWND dialog, HWND list, int id, WORD code) {
    State &state = Recording();
    Action action = Act(code == LBN_DBLCLK ? Action::Verb::DoubleClick : Action::Verb::Select, id);
    action.index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (code == LBN_DBLCLK && state.selected == dialog && state.selection.id == id)
        state.selected = nullptr; // the selection was the double click's own
    FlushSelection();
    if (code == LBN_DBLCLK) {
        Record(dialog, action);
        return;
    }
    state.selected = dialog;
    state.selection = action;
    state.selectedShown = ShownWindow(dialog);
    state.mark = GetTickCount();
}

void Command(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control && HasClass(control, "ListBox")) {
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
            ListNotice(dialog, control, id, code);
        return;
    }
    if (code != BN_CLICKED || (control && !HasClass(control, "Button")) ||
        (!control && id != IDOK && id != IDCANCEL))
        return;
    FlushSelection();
    State &state = Recording();
    if (state.closing == dialog && id == IDCANCEL) {
        state.closing = nullptr; // the close box's own Cancel
        return;
    }
    Record(dialog, Act(Action::Verb::Click, id));
}

void SystemCommand(HWND dialog, WPARAM wParam) {
    const unsigned command = static_cast<unsigned>(wParam & 0xFFF0);
    const ::script::ShownDialog shown = ShownWindow(dialog);
    bool inMenu = false;
    for (const ::script::ShownMenuItem &item : shown.systemMenu)
        inMenu = inMenu || item.command == command;
    // Moving, the keyboard's way into the menu, and the like are no choice.
    if (!inMenu && command != SC_MINIMIZE && command != SC_RESTORE)
        return;
    FlushSelection();
    Action action = Act(Action::Verb::SysMenu, 0);
    action.command = command;
    ::script::recording::Acted(shown, action);
    State &state = Recording();
    state.mark = GetTickCount();
    state.closing = command == SC_CLOSE ? dialog : nullptr;
}

} // namespace

void Start() {
    ::script::recording::Start(win32::ProgramName());
}

void DialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!::script::recording::Active())
        return;
    State &state = Recording();
    if (message == WM_COMMAND) {
        Command(dialog, wParam, lParam);
    } else if (message == WM_SYSCOMMAND) {
        SystemCommand(dialog, wParam);
    } else if (message == WM_TIMER) {
        const DWORD now = GetTickCount();
        ::script::recording::TimePassed(
            std::chrono::milliseconds(now - state.mark + kTickMarginMs));
        state.mark = now;
    }
}

void Answered(LPCSTR caption, int button) {
    FlushSelection();
    ::script::recording::Answered({caption ? caption : "Error"}, button);
    Recording().mark = GetTickCount();
}

void DialogShown(HWND) {
    Recording().mark = GetTickCount();
}

void DialogEnded(HWND dialog) {
    if (!::script::recording::Active())
        return;
    FlushSelection();
    ::script::recording::DialogEnded(ShownWindow(dialog));
}

} // namespace win32::recording
