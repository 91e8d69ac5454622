// The default dialog handling: what a message does when the dialog's class
// does not handle it, or passes it on with Default().
#include "platform/framework.h"
#include "platform/user32/text_copy.h"
#include "platform/user32/window_manager.h"

namespace ui {

namespace {

void SetIconic(Window &window, bool iconic) {
    if (window.iconic == iconic)
        return;
    window.iconic = iconic;
    window.needsPaint = true;
}

LRESULT SysCommand(Window &window, WPARAM command) {
    // The low four bits are Windows' own.
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        return SendToDialog(window, WM_CLOSE);
    case SC_MINIMIZE:
        SetIconic(window, true);
        return 0;
    case SC_RESTORE:
        SetIconic(window, false);
        return 0;
    default: // moving and sizing change nothing on a simulated screen
        return 0;
    }
}

HICON SetIcon(Window &window, WPARAM which, LPARAM icon) {
    HICON &slot = which == ICON_BIG ? window.bigIcon : window.smallIcon;
    HICON previous = slot;
    slot = reinterpret_cast<HICON>(icon);
    return previous;
}

} // namespace

LRESULT DefaultDialogProc(Window &window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; TextMessage(window.title, message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_SETICON:
        return reinterpret_cast<LRESULT>(SetIcon(window, wParam, lParam));
    case WM_SYSCOMMAND:
        return SysCommand(window, wParam);
    case WM_CLOSE: {
        // The close box is the Cancel button, also when there is none.
        const Control *cancel = window.FindControl(IDCANCEL);
        return SendToDialog(window, WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED),
                            cancel ? reinterpret_cast<LPARAM>(cancel->handle) : 0);
    }
    case WM_PAINT:
        window.needsPaint = false;
        return 0;
    default:
        return 0;
    }
}

} // namespace ui

LRESULT CDialog::Default() {
    ui::Window *window = ui::FindWindow(m_hWnd);
    if (!window)
        return 0;
    return ui::DefaultDialogProc(*window, m_currentMessage, m_currentWParam, m_currentLParam);
}
