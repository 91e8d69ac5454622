// The Win32 window calls of the dialog code, served by the window manager.
#include "platform/user32/window_manager.h"

using ui::FindControlWindow;
using ui::FindWindow;

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ui::Window *window = FindWindow(handle))
        return ui::SendToDialog(*window, message, wParam, lParam);
    if (ui::Control *control = FindControlWindow(handle).control)
        return ui::ControlProc(*control, message, wParam, lParam);
    return 0;
}

HWND GetDlgItem(HWND dialog, int id) {
    ui::Window *window = FindWindow(dialog);
    const ui::Control *control = window ? window->FindControl(id) : nullptr;
    return control ? control->handle : nullptr;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
    if (!IsWindow(handle))
        return FALSE;
    SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return TRUE;
}

int GetWindowTextA(HWND handle, LPSTR text, int size) {
    if (!IsWindow(handle)) {
        if (text && size > 0)
            text[0] = '\0';
        return 0;
    }
    return static_cast<int>(SendMessageA(handle, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(text)));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return FALSE;
    SendMessageA(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL IsWindow(HWND handle) {
    return FindWindow(handle) || FindControlWindow(handle).control ? TRUE : FALSE;
}

BOOL IsIconic(HWND handle) {
    const ui::Window *window = FindWindow(handle);
    return window && window->iconic ? TRUE : FALSE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
    if (!rect)
        return FALSE;
    if (const ui::Window *window = FindWindow(handle)) {
        *rect = ui::ClientRect(*window);
        return TRUE;
    }
    return FALSE;
}
