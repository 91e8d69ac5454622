#include "platform/windows/script_run.h"

#include "platform/decimal_text.h"
#include "platform/format_text.h"
#include "platform/framework/message_box_buttons.h"
#include "platform/framework/transcript_lines.h"
#include "platform/windows/environment.h"
#include "platform/windows/fail.h"
#include "platform/windows/open_dialogs.h"
#include "platform/windows/script_actions.h"
#include "platform/windows/shared_position.h"
#include "platform/windows/transcript.h"
#include "platform/windows/watchdog.h"

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
    ::script::ResponseFile file;
    SharedPosition position;
    DWORD pauseMs = 0;
    const Action *last = nullptr;  // the action being applied
    UINT_PTR stepTimer = 0;        // the next step of a dialog, when armed
    CDialog *stepTarget = nullptr; // the dialog it is armed for
    bool toFront = false;          // the step brings the dialog to the front first
    std::vector<CDialog *> busy;   // dialogs whose action is being applied
    int answer = 0;                // the button to press in the showing box
    HWND answerBox = nullptr;      // the box, once it is on the screen
    bool boxShowing = false;
    CDialog *deferred = nullptr; // a step that came while the box showed
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
    const CDialog *dialog = OpenDialogOf(window);
    char head[24]; // "dialog " and a number
    vp::FormatText(head, sizeof head, "dialog %u ", dialog ? dialog->TemplateId() : 0u);
    std::string showing = head;
    showing += ui::transcript::Quote(title);
    return showing;
}

// Why an answer the box does not offer cannot be given.
std::string OfferedButtons(UINT style) {
    std::string words = "the message box has ";
    const char *separator = "";
    for (int button : ui::MessageBoxButtons(style)) {
        words += separator;
        words += ui::AnswerWord(button);
        separator = ", ";
    }
    return words;
}

[[noreturn]] void DoesNotFit(const Action &action, std::string_view why, std::string_view showing) {
    Fail({TheRun()->file.path, ":", vp::DecimalText(action.line), ": \"", action.text,
          "\" does not fit: ", why, " (showing: ", showing, ")"});
}

// The next action for what is showing; the end of the file stops the run.
const Action &Take(const std::string &showing) {
    Run &run = *TheRun();
    const std::size_t index = run.position.Take();
    if (index >= run.file.actions.size())
        Fail({run.file.path, ":", vp::DecimalText(std::max(run.file.lineCount, 1)),
              ": the response file ended (showing: ", showing, ")"});
    run.last = &run.file.actions[index];
    const DWORD waits =
        run.last->verb == Action::Verb::Wait ? static_cast<DWORD>(run.last->wait.count()) : 0;
    WatchdogProgress(waits + run.pauseMs, showing);
    return *run.last;
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

void Arm(CDialog &dialog, DWORD delayMs) {
    Run &run = *TheRun();
    run.stepTarget = &dialog;
    run.stepTimer = SetTimer(nullptr, run.stepTimer, std::max(delayMs, kSoonMs), StepTimer);
}

void Disarm() {
    Run &run = *TheRun();
    if (run.stepTimer)
        KillTimer(nullptr, run.stepTimer);
    run.stepTimer = 0;
    run.stepTarget = nullptr;
}

bool IsBusy(const CDialog *dialog) {
    const auto &busy = TheRun()->busy;
    return std::find(busy.begin(), busy.end(), dialog) != busy.end();
}

// The innermost dialog waits for the person: give it the next action.
void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    Run &run = *TheRun();
    CDialog *dialog = run.stepTarget;
    Disarm();
    if (!dialog || dialog != InnermostDialog() || dialog->EndRequested() || IsBusy(dialog))
        return; // not waiting: whatever it runs now arms the next step
    if (run.boxShowing) {
        run.deferred = dialog; // its timers showed a box: the box comes first
        return;
    }
    const HWND window = dialog->GetSafeHwnd();
    if (std::exchange(run.toFront, false)) {
        BringToFront(window);
        Arm(*dialog, run.pauseMs);
        return;
    }
    transcript::DialogWaits(window);
    const std::string showing = DescribeDialog(window);
    const Action &action = Take(showing);
    if (action.verb == Action::Verb::Wait) {
        Arm(*dialog, static_cast<DWORD>(action.wait.count()));
        return;
    }
    if (action.verb == Action::Verb::Answer)
        DoesNotFit(action, "a dialog waits for an action", showing);
    run.busy.push_back(dialog);
    Misfit why;
    const bool applied = ApplyAction(window, action, &why);
    run.busy.pop_back();
    if (!applied)
        DoesNotFit(action, why.text, showing);
    if (dialog == InnermostDialog() && !dialog->EndRequested())
        Arm(*dialog, run.pauseMs);
}

// Finds the message box (a dialog of this thread that is none of the
// program's) once it shows.
BOOL CALLBACK FindAnswerBox(HWND window, LPARAM found) {
    char cls[16] = "";
    char caption[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window) || OpenDialogOf(window) ||
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

std::string ReadFileText(const std::string &path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail({"cannot read the response file ", path});
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    CloseHandle(file);
    return text;
}

} // namespace

void Start(const std::string &path) {
    auto run = std::make_unique<Run>();
    std::string error;
    if (!::script::ParseResponseFile(ReadFileText(path), path, &run->file, &error) ||
        !run->position.Open(FullPath(path.c_str()), &error))
        Fail({error});
    run->pauseMs = static_cast<DWORD>(
        std::strtoul(EnvironmentValue("VELTRIN_SCRIPT_PAUSE").c_str(), nullptr, 10));
    TheRun() = std::move(run);
    StartWatchdog(path, kQuietLimitMs);
}

bool Active() {
    return TheRun() != nullptr;
}

// A dialog coming up is progress too; it names what is showing.
void DialogShown(CDialog &dialog) {
    if (!Active() || IsBusy(&dialog))
        return;
    WatchdogProgress(TheRun()->pauseMs, DescribeDialog(dialog.GetSafeHwnd()));
    TheRun()->toFront = true;
    Arm(dialog, kSoonMs);
}

// The dialog it returns to waits again, unless its action is still running
// (then the end of that action arms it).
void DialogClosed(CDialog &dialog) {
    if (!Active())
        return;
    Run &run = *TheRun();
    if (run.stepTarget == &dialog)
        Disarm();
    if (run.deferred == &dialog)
        run.deferred = nullptr;
    CDialog *next = InnermostDialog();
    if (next && !next->EndRequested() && !IsBusy(next))
        Arm(*next, run.pauseMs);
}

int AnswerMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    Run &run = *TheRun();
    run.answerCaption = caption ? caption : "Error";
    std::string showing = "message box ";
    showing += ui::transcript::Quote(run.answerCaption);
    const Action &action = Take(showing);
    if (action.verb != Action::Verb::Answer)
        DoesNotFit(action, "a message box waits for an answer", showing);
    bool offered = false;
    for (int button : ui::MessageBoxButtons(type))
        offered = offered || button == action.button;
    if (!offered)
        DoesNotFit(action, OfferedButtons(type), showing);
    run.answer = action.button;
    run.answerBox = nullptr;
    run.answerTimer = SetTimer(nullptr, 0, kSoonMs, AnswerTimer);
    run.boxShowing = true;
    const int result = MessageBoxA(owner, text, caption, type);
    run.boxShowing = false;
    if (run.answerTimer)
        KillTimer(nullptr, run.answerTimer);
    run.answerTimer = 0;
    if (CDialog *deferred = std::exchange(run.deferred, nullptr))
        Arm(*deferred, kSoonMs);
    return result;
}

} // namespace win32::script
