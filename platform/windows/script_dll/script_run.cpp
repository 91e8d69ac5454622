#include "platform/windows/script_dll/script_run.h"

#include "platform/script/answers.h"
#include "platform/windows/environment.h"
#include "platform/windows/script_dll/program.h"
#include "platform/windows/script_dll/script_actions.h"
#include "platform/windows/script_dll/shown_window.h"
#include "platform/windows/script_dll/watchdog.h"
#include "platform/windows/script_dll/win_transcript.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#undef MessageBoxA

namespace win32::script {

namespace {

using ::script::Action;

// How long a run may go without taking an action, beyond its own waits.
constexpr DWORD kQuietLimitMs = 30000;
// The shortest delay Windows gives a timer.
constexpr DWORD kSoonMs = USER_TIMER_MINIMUM;

struct Run {
    explicit Run(const std::string &path) : answers(path) {}
    ::script::Answers answers;
    DWORD pauseMs = 0;
    UINT_PTR stepTimer = 0;    // the next step of a dialog, when armed
    HWND stepTarget = nullptr; // the dialog it is armed for
    bool toFront = false;      // the step brings the dialog to the front first
    std::vector<HWND> busy;    // dialogs whose action is being applied
    int answer = 0;            // the button to press in the showing box
    HWND answerBox = nullptr;  // the box, once it is on the screen
    bool boxShowing = false;
    HWND deferred = nullptr; // a step that came while the box showed
    std::string answerCaption;
    UINT_PTR answerTimer = 0;
};

std::unique_ptr<Run> &TheRun() {
    static std::unique_ptr<Run> run;
    return run;
}

std::string DescribeDialog(HWND window) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return ::script::DialogShowing(static_cast<int>(Program().templateOf(window)), title);
}

// The next action for what is showing: progress, for the watchdog.
const Action &Take(const std::string &showing) {
    Run &run = *TheRun();
    const Action &action = run.answers.Next(showing);
    const DWORD waits =
        action.verb == Action::Verb::Wait ? static_cast<DWORD>(action.wait.count()) : 0;
    WatchdogProgress(waits + run.pauseMs, showing);
    return action;
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD);

// The person answering has the program in front, as Windows puts a program
// started from the foreground. Wine without a window manager (the tests
// under Xvfb) makes it the active window but leaves its caption drawn
// inactive: draw it again as what it is.
void BringToFront(HWND window) {
    SetForegroundWindow(window);
    if (GetActiveWindow() == window)
        SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
}

void Arm(HWND dialog, DWORD delayMs) {
    Run &run = *TheRun();
    run.stepTarget = dialog;
    run.stepTimer = SetTimer(nullptr, run.stepTimer, std::max(delayMs, kSoonMs), StepTimer);
}

void Disarm() {
    Run &run = *TheRun();
    if (run.stepTimer)
        KillTimer(nullptr, run.stepTimer);
    run.stepTimer = 0;
    run.stepTarget = nullptr;
}

// Whether the dialog still waits: it is the innermost and no handler has
// ended it.
bool Waits(HWND dialog) {
    return dialog && dialog == Program().innermostDialog() && !Program().endRequested(dialog);
}

bool IsBusy(HWND dialog) {
    const auto &busy = TheRun()->busy;
    return std::find(busy.begin(), busy.end(), dialog) != busy.end();
}

// The innermost dialog waits for the person: give it the next action.
void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    Run &run = *TheRun();
    const HWND window = run.stepTarget;
    Disarm();
    if (!Waits(window) || IsBusy(window))
        return; // not waiting: whatever it runs now arms the next step
    if (run.boxShowing) {
        run.deferred = window; // its timers showed a box: the box comes first
        return;
    }
    if (std::exchange(run.toFront, false)) {
        BringToFront(window);
        Arm(window, run.pauseMs);
        return;
    }
    transcript::DialogWaits(window);
    const std::string showing = DescribeDialog(window);
    const Action &action = Take(showing);
    if (action.verb == Action::Verb::Wait) {
        Arm(window, static_cast<DWORD>(action.wait.count()));
        return;
    }
    run.answers.CheckForDialog(action, showing);
    // An entry named by its text is looked up in the list as it stands.
    Action resolved = action;
    const HWND list = action.entry ? GetDlgItem(window, action.id) : nullptr;
    if (list && HasClass(list, "ListBox"))
        resolved.index = run.answers.EntryFor(action, ListEntries(list), showing);
    run.busy.push_back(window);
    Misfit why;
    const bool applied = ApplyAction(window, resolved, &why);
    run.busy.pop_back();
    if (!applied)
        run.answers.DoesNotFit(action, why.text, showing);
    if (Waits(window))
        Arm(window, run.pauseMs);
}

// Finds the message box (a dialog of this thread that is none of the
// program's) once it shows.
BOOL CALLBACK FindAnswerBox(HWND window, LPARAM found) {
    char cls[16] = "";
    char caption[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window) || Program().templateOf(window) ||
        TheRun()->answerCaption != caption)
        return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

// Once the box shows: brings it to the front; the pause later, presses the
// button the script chose.
void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD) {
    Run &run = *TheRun();
    if (!run.answerBox) {
        EnumThreadWindows(GetCurrentThreadId(), FindAnswerBox,
                          reinterpret_cast<LPARAM>(&run.answerBox));
        if (run.answerBox) {
            BringToFront(run.answerBox);
            run.answerTimer =
                SetTimer(nullptr, run.answerTimer, std::max(run.pauseMs, kSoonMs), AnswerTimer);
        }
        return; // not on the screen yet: the timer comes again
    }
    KillTimer(nullptr, run.answerTimer);
    run.answerTimer = 0;
    if (const HWND button = GetDlgItem(run.answerBox, run.answer))
        SendMessageA(button, BM_CLICK, 0, 0);
    else
        SendMessageA(run.answerBox, WM_COMMAND, MAKEWPARAM(run.answer, BN_CLICKED), 0);
}

} // namespace

void Start(const std::string &path) {
    auto run = std::make_unique<Run>(path);
    run->pauseMs = static_cast<DWORD>(
        std::strtoul(EnvironmentValue("VELTRIN_SCRIPT_PAUSE").c_str(), nullptr, 10));
    TheRun() = std::move(run);
    StartWatchdog(path, kQuietLimitMs);
}

bool Active() {
    return TheRun() != nullptr;
}

// A dialog coming up is progress too; it names what is showing.
void DialogShown(HWND dialog) {
    if (!Active() || IsBusy(dialog))
        return;
    WatchdogProgress(TheRun()->pauseMs, DescribeDialog(dialog));
    TheRun()->toFront = true;
    Arm(dialog, kSoonMs);
}

// The dialog it returns to waits again, unless its action is still running
// (then the end of that action arms it).
void DialogClosed(HWND dialog) {
    if (!Active())
        return;
    Run &run = *TheRun();
    if (run.stepTarget == dialog)
        Disarm();
    if (run.deferred == dialog)
        run.deferred = nullptr;
    const HWND next = Program().innermostDialog();
    if (Waits(next) && !IsBusy(next))
        Arm(next, run.pauseMs);
}

int AnswerMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    Run &run = *TheRun();
    run.answerCaption = caption ? caption : "Error";
    const std::string showing = ::script::MessageBoxShowing(run.answerCaption);
    run.answer = run.answers.ButtonFor(Take(showing), type, showing);
    run.answerBox = nullptr;
    run.answerTimer = SetTimer(nullptr, 0, kSoonMs, AnswerTimer);
    run.boxShowing = true;
    const int result = MessageBoxA(owner, text, caption, type);
    run.boxShowing = false;
    if (run.answerTimer)
        KillTimer(nullptr, run.answerTimer);
    run.answerTimer = 0;
    if (const HWND deferred = std::exchange(run.deferred, nullptr))
        Arm(deferred, kSoonMs);
    return result;
}

} // namespace win32::script
