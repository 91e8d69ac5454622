#include "platform/windows/script_dll/script_actions.h"

#include "platform/framework/format_text.h"
#include "platform/windows/script_dll/shown_window.h"

namespace win32::script {

namespace {

using ::script::Action;

// Sets *why from a format that may show the control's id; false, for the caller
// to answer.
bool Refuse(Misfit *why, const char *format, int id) {
    vp::FormatText(why->text, sizeof why->text, format, id);
    return false;
}

// Problems shared by every action aimed at one control, as a format that
// takes its id; nullptr when it fits.
const char *TargetProblem(HWND dialog, HWND control) {
    if (IsIconic(dialog))
        return "the dialog is minimised";
    if (!control)
        return "no control %d";
    if (!IsWindowVisible(control))
        return "control %d is hidden";
    if (!IsWindowEnabled(control))
        return "control %d is disabled";
    return nullptr;
}

bool IsClickable(HWND control) {
    return HasClass(control, "Button") &&
           (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
}

void Notify(HWND dialog, HWND control, WORD code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

// The button's own click handling: it checks an automatic button, then tells
// the dialog (BN_CLICKED).
bool Click(HWND dialog, int id, Misfit *why) {
    const HWND button = GetDlgItem(dialog, id);
    const char *problem = TargetProblem(dialog, button);
    if (!problem && !IsClickable(button))
        problem = "control %d is not a button";
    // Escape and the close box: IDCANCEL also without a usable Cancel button.
    if (problem && id == IDCANCEL && !IsIconic(dialog)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    if (problem)
        return Refuse(why, problem, id);
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

// A person's click on an entry selects it and, with LBS_NOTIFY, tells the
// dialog; a double click tells it once more.
bool Select(HWND dialog, const Action &action, Misfit *why) {
    const HWND list = GetDlgItem(dialog, action.id);
    const char *problem = TargetProblem(dialog, list);
    if (!problem && !HasClass(list, "ListBox"))
        problem = "control %d is not a list box";
    if (problem)
        return Refuse(why, problem, action.id);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (action.index >= count) {
        vp::FormatText(why->text, sizeof why->text, "list %d has %ld entries, no entry %d",
                       action.id, static_cast<long>(count), action.index);
        return false;
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(action.index), 0);
    const bool notify = (GetWindowLongA(list, GWL_STYLE) & LBS_NOTIFY) != 0;
    if (notify)
        Notify(dialog, list, LBN_SELCHANGE);
    if (notify && action.verb == Action::Verb::DoubleClick)
        Notify(dialog, list, LBN_DBLCLK);
    return true;
}

bool SystemCommand(HWND dialog, UINT command, Misfit *why) {
    if ((GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU) == 0)
        return Refuse(why, "the dialog has no system menu", 0);
    const UINT state = GetMenuState(GetSystemMenu(dialog, FALSE), command, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_DISABLED | MF_GRAYED | MF_SEPARATOR))) {
        vp::FormatText(why->text, sizeof why->text, "command 0x%X is not in the system menu",
                       command);
        return false;
    }
    SendMessageA(dialog, WM_SYSCOMMAND, command, 0);
    return true;
}

} // namespace

bool ApplyAction(HWND dialog, const Action &action, Misfit *why) {
    switch (action.verb) {
    case Action::Verb::Click:
        return Click(dialog, action.id, why);
    case Action::Verb::Select:
    case Action::Verb::DoubleClick:
        return Select(dialog, action, why);
    case Action::Verb::SysMenu:
        return SystemCommand(dialog, action.command, why);
    case Action::Verb::Wait:
    case Action::Verb::Answer:
        break;
    }
    return true;
}

} // namespace win32::script
