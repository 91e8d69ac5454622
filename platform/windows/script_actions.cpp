#include "platform/windows/script_actions.h"

#include "platform/decimal_text.h"
#include "platform/format_text.h"

namespace win32::script {

namespace {

using ::script::Action;

bool HasClass(HWND window, const char *wanted) {
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, wanted) == 0;
}

// "control <id> <what>", what is wrong with one control.
std::string ControlProblem(int id, const char *what) {
    char text[48]; // the longest: "control 65535 is not a list box"
    vp::FormatText(text, sizeof text, "control %d %s", id, what);
    return text;
}

// Problems shared by every action aimed at one control; empty when it fits.
std::string CheckTarget(HWND dialog, HWND control, int id) {
    if (IsIconic(dialog))
        return "the dialog is minimised";
    if (!control)
        return "no control " + vp::DecimalText(id);
    if (!IsWindowVisible(control))
        return ControlProblem(id, "is hidden");
    if (!IsWindowEnabled(control))
        return ControlProblem(id, "is disabled");
    return "";
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
std::string Click(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    std::string why = CheckTarget(dialog, button, id);
    if (why.empty() && !IsClickable(button))
        why = ControlProblem(id, "is not a button");
    // Escape and the close box: IDCANCEL also without a usable Cancel button.
    if (!why.empty() && id == IDCANCEL && !IsIconic(dialog)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return "";
    }
    if (why.empty())
        SendMessageA(button, BM_CLICK, 0, 0);
    return why;
}

// A person's click on an entry selects it and, with LBS_NOTIFY, tells the
// dialog; a double click tells it once more.
std::string Select(HWND dialog, const Action &action) {
    const HWND list = GetDlgItem(dialog, action.id);
    std::string why = CheckTarget(dialog, list, action.id);
    if (why.empty() && !HasClass(list, "ListBox"))
        why = ControlProblem(action.id, "is not a list box");
    const LRESULT count = why.empty() ? SendMessageA(list, LB_GETCOUNT, 0, 0) : 0;
    if (why.empty() && action.index >= count) {
        char text[80]; // three numbers of at most 11 characters each
        vp::FormatText(text, sizeof text, "list %d has %ld entries, no entry %d", action.id,
                       static_cast<long>(count), action.index);
        why = text;
    }
    if (!why.empty())
        return why;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(action.index), 0);
    const bool notify = (GetWindowLongA(list, GWL_STYLE) & LBS_NOTIFY) != 0;
    if (notify)
        Notify(dialog, list, LBN_SELCHANGE);
    if (notify && action.verb == Action::Verb::DoubleClick)
        Notify(dialog, list, LBN_DBLCLK);
    return "";
}

std::string SystemCommand(HWND dialog, UINT command) {
    if ((GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU) == 0)
        return "the dialog has no system menu";
    const UINT state = GetMenuState(GetSystemMenu(dialog, FALSE), command, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_DISABLED | MF_GRAYED | MF_SEPARATOR))) {
        char hex[16];
        vp::FormatText(hex, sizeof hex, "0x%X", command);
        return std::string("command ") + hex + " is not in the system menu";
    }
    SendMessageA(dialog, WM_SYSCOMMAND, command, 0);
    return "";
}

} // namespace

std::string ApplyAction(HWND dialog, const Action &action) {
    switch (action.verb) {
    case Action::Verb::Click:
        return Click(dialog, action.id);
    case Action::Verb::Select:
    case Action::Verb::DoubleClick:
        return Select(dialog, action);
    case Action::Verb::SysMenu:
        return SystemCommand(dialog, action.command);
    case Action::Verb::Wait:
    case Action::Verb::Answer:
        break;
    }
    return "";
}

} // namespace win32::script
