// The in-process window manager: the windows of the modal dialogs, their
// handles, and the way messages reach them. Internal to platform/user32 and
// platform/script; renderers use window.h and driver.h.
#pragma once

#include "platform/user32/window.h"

namespace ui {

// Makes the window of `dialog` from its template: title, controls with their
// state, the standard system menu; the window goes on top of OpenWindows().
Window &CreateDialogWindow(const res::DialogTemplate &tmpl, CDialog &dialog, HWND owner);
// Forgets the window, its control handles, menu and timers.
void DestroyDialogWindow(Window &window);

Window *FindWindow(HWND handle); // a dialog window, or null
struct ControlRef {
    Window *window = nullptr;
    Control *control = nullptr;
};
ControlRef FindControlWindow(HWND handle); // a control, or nulls
Window *FindMenuWindow(HMENU menu);        // the window whose system menu it is

// What Windows' SendMessage does to a dialog: the class's message map, then
// the default dialog handling.
LRESULT SendToDialog(Window &window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The default dialog handling of one message.
LRESULT DefaultDialogProc(Window &window, UINT message, WPARAM wParam, LPARAM lParam);
// A control's own handling of a message (list box, button, static).
LRESULT ControlProc(Control &control, UINT message, WPARAM wParam, LPARAM lParam);

// The standard items of a dialog's system menu: Move and Close.
void ResetSystemMenu(Window &window);

// Client area size in pixels: dialog units at the base units of the
// templates' font, MS Sans Serif 8 point (6 x 13 pixels), as MapDialogRect.
RECT ClientRect(const Window &window);

} // namespace ui
