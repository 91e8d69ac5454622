// CDialog on the real dialog manager: DialogBoxParamA builds the window from
// the compiled template and runs the modal loop; one dialog procedure hands
// every message to the class's message map.
#include "platform/framework.h"
#include "platform/windows/center_dialog.h"
#include "platform/windows/open_dialogs.h"
#include "platform/windows/script_loader.h"

namespace {

// The message whose default handling CDialog::Default is running: the
// dialog manager offers it to the dialog procedure first, which must
// decline it then, or the handler would run again.
HWND g_defaultWindow = nullptr;
UINT g_defaultMessage = 0;

// The few messages whose result is the dialog procedure's own return value.
bool ReturnsResultDirectly(UINT message) {
    return message == WM_INITDIALOG || message == WM_QUERYDRAGICON ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM;
}

CDialog *DialogOfWindow(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        auto *dialog = reinterpret_cast<CDialog *>(lParam);
        dialog->AttachWindow(window);
        win32::DialogStarted(*dialog);
        return dialog;
    }
    return reinterpret_cast<CDialog *>(GetWindowLongPtrA(window, DWLP_USER));
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == g_defaultWindow && message == g_defaultMessage) {
        g_defaultWindow = nullptr;
        return FALSE;
    }
    CDialog *dialog = DialogOfWindow(window, message, lParam);
    if (!dialog)
        return FALSE; // messages before WM_INITDIALOG
    const win32::ScriptLink *automation = win32::Automation();
    if (message == WM_DESTROY && automation)
        automation->dialogEnded(window, dialog->EndCode());

    RECT placed = {};
    if (message == WM_INITDIALOG)
        GetWindowRect(window, &placed);
    else if (automation)
        automation->dialogMessage(window, message, wParam, lParam);
    bool handled = false;
    const LRESULT result = dialog->DispatchFromBackend(message, wParam, lParam, &handled);

    if (message == WM_INITDIALOG) {
        win32::CenterAfterInit(window, placed);
        if (automation)
            automation->dialogOpened(window);
    } else if (message == WM_SHOWWINDOW && wParam && automation) {
        automation->dialogShown(window);
    } else if (message == WM_DESTROY) {
        win32::DialogStopped(*dialog);
        SetWindowLongPtrA(window, DWLP_USER, 0);
        if (automation)
            automation->dialogClosed(window);
    }
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace

// Without a parent the dialog is owned by the innermost open dialog, as the
// framework chooses on Windows.
INT_PTR CDialog::DoModal() {
    ClearEndRequest();
    const CDialog *innermost = win32::InnermostDialog();
    const HWND owner = m_parent    ? m_parent->GetSafeHwnd()
                       : innermost ? innermost->GetSafeHwnd()
                                   : nullptr;
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner,
                        DialogProc, reinterpret_cast<LPARAM>(this));
    AttachWindow(nullptr);
    return result;
}

// The dialog manager ends the modal loop only once the message being
// handled has been answered, as the framework promises.
void CDialog::EndDialog(int result) {
    m_endRequested = true;
    m_endCode = result;
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::Default() {
    if (!m_hWnd)
        return 0;
    g_defaultWindow = m_hWnd;
    g_defaultMessage = m_currentMessage;
    const LRESULT result = DefDlgProcA(m_hWnd, m_currentMessage, m_currentWParam, m_currentLParam);
    g_defaultWindow = nullptr;
    return result;
}
