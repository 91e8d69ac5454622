#include "platform/user32/input.h"

#include "platform/framework.h"
#include "platform/user32/timers.h"
#include "platform/user32/window_manager.h"

#include <algorithm>
#include <cstdio>

namespace ui {

namespace {

LPARAM HandleOf(const Control &control) {
    return reinterpret_cast<LPARAM>(control.handle);
}

void Notify(Window &window, const Control &control, WORD code) {
    SendToDialog(window, WM_COMMAND, static_cast<WPARAM>(MAKELONG(control.id, code)),
                 HandleOf(control));
}

// Problems shared by every input aimed at one control; empty when it fits.
std::string CheckTarget(const Window &window, const Control *control, int id) {
    if (window.iconic)
        return "the dialog is minimised";
    if (!control)
        return "no control " + std::to_string(id);
    if (!control->Visible())
        return "control " + std::to_string(id) + " is hidden";
    if (!control->Enabled())
        return "control " + std::to_string(id) + " is disabled";
    return "";
}

void ClickAutoButton(Window &window, Control &button) {
    const auto type = button.style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) {
        button.check = button.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (type == BS_AUTORADIOBUTTON) {
        const auto index = static_cast<std::size_t>(&button - window.controls.data());
        const GroupBounds group = ControlGroup(window, index);
        for (std::size_t i = group.first; i < group.end; ++i)
            if (window.controls[i].Kind() == ControlKind::RadioButton)
                window.controls[i].check = BST_UNCHECKED;
        button.check = BST_CHECKED;
    }
}

bool Click(Window &window, int id, std::string *why) {
    Control *button = window.FindControl(id);
    *why = CheckTarget(window, button, id);
    if (why->empty() && button->Kind() != ControlKind::PushButton && !button->HasCheck())
        *why = "control " + std::to_string(id) + " is not a button";
    // Escape and the close box: IDCANCEL also without a usable Cancel button.
    if (!why->empty() && id == IDCANCEL && !window.iconic) {
        why->clear();
        SendToDialog(window, WM_COMMAND, IDCANCEL, 0);
        return true;
    }
    if (!why->empty())
        return false;
    ClickAutoButton(window, *button);
    Notify(window, *button, BN_CLICKED);
    return true;
}

bool SelectEntry(Window &window, const Input &input, std::string *why) {
    Control *list = window.FindControl(input.id);
    *why = CheckTarget(window, list, input.id);
    if (why->empty() && list->Kind() != ControlKind::ListBox)
        *why = "control " + std::to_string(input.id) + " is not a list box";
    if (why->empty() && (input.index < 0 || input.index >= static_cast<int>(list->items.size())))
        *why = "list " + std::to_string(input.id) + " has " + std::to_string(list->items.size()) +
               " entries, no entry " + std::to_string(input.index);
    if (!why->empty())
        return false;
    list->selection = input.index;
    const bool notify = (list->style & LBS_NOTIFY) != 0;
    if (notify)
        Notify(window, *list, LBN_SELCHANGE);
    if (notify && input.kind == Input::Kind::DoubleClick)
        Notify(window, *list, LBN_DBLCLK);
    return true;
}

// Minimising and restoring are not in a dialog's menu, but another program
// may send them, and the dialog takes them as Windows does.
bool SentFromOutside(const Window &window, UINT command) {
    return command == (window.iconic ? SC_RESTORE : SC_MINIMIZE);
}

bool ChooseSystemCommand(Window &window, UINT command, std::string *why) {
    if (!window.hasSystemMenu) {
        *why = "the dialog has no system menu";
        return false;
    }
    const bool inMenu =
        std::any_of(window.systemMenu.begin(), window.systemMenu.end(), [&](const MenuItem &item) {
            return item.flags == MF_STRING && item.id == command && item.enabled;
        });
    if (inMenu || SentFromOutside(window, command)) {
        SendToDialog(window, WM_SYSCOMMAND, command, 0);
        return true;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", command);
    *why = std::string("command ") + hex + " is not in the system menu";
    return false;
}

} // namespace

bool ApplyInput(Window &window, const Input &input, std::string *why) {
    why->clear();
    CDialog &dialog = *window.dialog;
    AdvanceClock(input.elapsed, [&] { return dialog.EndRequested(); });
    if (dialog.EndRequested())
        return true; // a timer ended the dialog before the input reached it
    switch (input.kind) {
    case Input::Kind::Click:
        return Click(window, input.id, why);
    case Input::Kind::Select:
    case Input::Kind::DoubleClick:
        return SelectEntry(window, input, why);
    case Input::Kind::SysCommand:
        return ChooseSystemCommand(window, input.command, why);
    case Input::Kind::TimePassed:
        return true;
    }
    return true;
}

} // namespace ui
