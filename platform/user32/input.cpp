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

// The button a click presses, or null with *why set; Escape and the close
// box are a click on IDCANCEL also without a usable Cancel button, so that
// click fits with no button (and *why empty).
Control *ClickTarget(Window &window, int id, std::string *why) {
    Control *button = window.FindControl(id);
    *why = CheckTarget(window, button, id);
    if (why->empty() && button->Kind() != ControlKind::PushButton && !button->HasCheck())
        *why = "control " + std::to_string(id) + " is not a button";
    if (why->empty())
        return button;
    if (id == IDCANCEL && !window.iconic)
        why->clear();
    return nullptr;
}

void Click(Window &window, int id) {
    std::string why;
    Control *button = ClickTarget(window, id, &why);
    if (!button) {
        SendToDialog(window, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    ClickAutoButton(window, *button);
    Notify(window, *button, BN_CLICKED);
}

std::string SelectMisfit(const Window &window, const Input &input) {
    const Control *list = window.FindControl(input.id);
    std::string why = CheckTarget(window, list, input.id);
    if (why.empty() && list->Kind() != ControlKind::ListBox)
        why = "control " + std::to_string(input.id) + " is not a list box";
    if (why.empty() && (input.index < 0 || input.index >= static_cast<int>(list->items.size())))
        why = "list " + std::to_string(input.id) + " has " + std::to_string(list->items.size()) +
              " entries, no entry " + std::to_string(input.index);
    return why;
}

void SelectEntry(Window &window, const Input &input) {
    Control *list = window.FindControl(input.id);
    list->selection = input.index;
    const bool notify = (list->style & LBS_NOTIFY) != 0;
    if (notify)
        Notify(window, *list, LBN_SELCHANGE);
    if (notify && input.kind == Input::Kind::DoubleClick)
        Notify(window, *list, LBN_DBLCLK);
}

// Minimising and restoring are not in a dialog's menu, but another program
// may send them, and the dialog takes them as Windows does.
bool SentFromOutside(const Window &window, UINT command) {
    return command == (window.iconic ? SC_RESTORE : SC_MINIMIZE);
}

std::string SystemCommandMisfit(const Window &window, UINT command) {
    if (!window.hasSystemMenu)
        return "the dialog has no system menu";
    const bool inMenu =
        std::any_of(window.systemMenu.begin(), window.systemMenu.end(), [&](const MenuItem &item) {
            return item.flags == MF_STRING && item.id == command && item.enabled;
        });
    if (inMenu || SentFromOutside(window, command))
        return "";
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", command);
    return std::string("command ") + hex + " is not in the system menu";
}

} // namespace

bool LetTimePass(Window &window, Duration elapsed) {
    CDialog &dialog = *window.dialog;
    AdvanceClock(elapsed, [&] { return dialog.EndRequested(); });
    return !dialog.EndRequested();
}

std::string Misfit(Window &window, const Input &input) {
    std::string why;
    switch (input.kind) {
    case Input::Kind::Click:
        ClickTarget(window, input.id, &why);
        break;
    case Input::Kind::Select:
    case Input::Kind::DoubleClick:
        why = SelectMisfit(window, input);
        break;
    case Input::Kind::SysCommand:
        why = SystemCommandMisfit(window, input.command);
        break;
    case Input::Kind::TimePassed:
        break;
    }
    return why;
}

void Act(Window &window, const Input &input) {
    switch (input.kind) {
    case Input::Kind::Click:
        Click(window, input.id);
        break;
    case Input::Kind::Select:
    case Input::Kind::DoubleClick:
        SelectEntry(window, input);
        break;
    case Input::Kind::SysCommand:
        SendToDialog(window, WM_SYSCOMMAND, input.command, 0);
        break;
    case Input::Kind::TimePassed:
        break;
    }
}

} // namespace ui
