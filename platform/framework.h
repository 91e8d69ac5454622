// The application framework the setup code is written against: one static
// application object, modal dialogs built from resource templates, message
// maps, and the standard confirm and cancel handling. The same classes run on
// the real dialog manager (Windows build) and on the in-process window
// manager of platform/user32 (terminal and response-file renderers).
#pragma once

#include "platform/api.h"

class CDialog;

// A window the framework knows; m_hWnd is null until the window exists.
class CWnd {
  public:
    virtual ~CWnd() = default;
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND m_hWnd = nullptr;
};

// ---- message maps -----------------------------------------------------------
// A static table per class; each entry routes one message (and for WM_COMMAND
// one notification code from one control id) to a handler. Lookup walks the
// class's table, then its base's. CDialog's own table routes the IDOK and
// IDCANCEL commands to the virtual OnOK and OnCancel.
enum class MsgSig : unsigned char {
    vv,  // void handler()                        commands, WM_DESTROY, WM_PAINT
    vUL, // void handler(UINT id, LPARAM)         WM_SYSCOMMAND
    vT,  // void handler(UINT_PTR timerId)        WM_TIMER
    hv,  // HCURSOR handler()                     WM_QUERYDRAGICON
};

// The handler types, named after their MsgSig.
using AfxSig_vv = void();
using AfxSig_vUL = void(UINT, LPARAM);
using AfxSig_vT = void(UINT_PTR);
using AfxSig_hv = HCURSOR();

// One member per signature, so no handler pointer is ever cast to a type it
// does not have; `sig` says which member is set.
union MessageHandler {
    AfxSig_vv CDialog::*vv;
    AfxSig_vUL CDialog::*vUL;
    AfxSig_vT CDialog::*vT;
    AfxSig_hv CDialog::*hv;
};

struct MessageMapEntry {
    UINT message; // 0 ends the table
    WORD code;    // notification code for WM_COMMAND (its high word)
    WORD id;      // control id for WM_COMMAND (its low word)
    MsgSig sig;
    MessageHandler pfn;
};

struct MessageMap {
    const MessageMap *(*baseMap)(); // null for the root of the chain
    const MessageMapEntry *entries;
};

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const MessageMap *GetThisMessageMap();                                                  \
    const MessageMap *GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap *theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const MessageMap *theClass::GetThisMessageMap() {                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
        {0, 0, 0, MsgSig::vv, {}}};                                                                \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                 \
        return &map;                                                                               \
    }

// A handler of the class being mapped, stored as a handler of CDialog.
#define AFX_MSG_ENTRY(message, code, id, sig, fn)                                                  \
    {message, static_cast<WORD>(code), static_cast<WORD>(id), MsgSig::sig,                         \
     {.sig = static_cast<AfxSig_##sig CDialog::*>(static_cast<AfxSig_##sig ThisClass::*>(fn))}},

#define ON_BN_CLICKED(id, fn) AFX_MSG_ENTRY(WM_COMMAND, BN_CLICKED, id, vv, fn)
#define ON_LBN_DBLCLK(id, fn) AFX_MSG_ENTRY(WM_COMMAND, LBN_DBLCLK, id, vv, fn)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, 0, 0, vUL, &ThisClass::OnSysCommand)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, 0, 0, vT, &ThisClass::OnTimer)
#define ON_WM_QUERYDRAGICON() AFX_MSG_ENTRY(WM_QUERYDRAGICON, 0, 0, hv, &ThisClass::OnQueryDragIcon)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, 0, 0, vv, &ThisClass::OnDestroy)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, vv, &ThisClass::OnPaint)
// clang-format on

// ---- dialogs ------------------------------------------------------------------
// What DoDataExchange is given: the direction of the exchange and the dialog.
class CDataExchange {
  public:
    CDataExchange(CWnd *dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate; // TRUE: controls to fields
    CWnd *m_pDlgWnd;
};

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd *parent = nullptr);
    ~CDialog() override;
    CDialog(const CDialog &) = delete;
    CDialog &operator=(const CDialog &) = delete;

    // Creates the window from the template, initialises it, runs a nested
    // message loop until EndDialog, destroys the window (WM_DESTROY reaches
    // the class) and returns the end code; -1 when the window cannot be made.
    virtual INT_PTR DoModal();

    UINT TemplateId() const { return m_templateId; }
    CWnd *Parent() const { return m_parent; }

    // Message dispatch through the class's message map; false when no entry
    // handles the message (the caller then runs the default handling).
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

  protected:
    static const MessageMap *GetThisMessageMap();
    virtual const MessageMap *GetMessageMap() const;

    virtual BOOL OnInitDialog(); // base: UpdateData(FALSE), returns TRUE
    virtual void OnOK();         // base: UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();     // base: EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange *dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Ends the modal run with `result` once the handler now running returns;
    // the window and its controls stay usable until then.
    void EndDialog(int result);

    // Default handling of the message being dispatched (system commands,
    // destroy, painting, timers).
    LRESULT Default();

    // The default handlers a class's own handler passes a message on to.
    void OnSysCommand(UINT id, LPARAM lParam) { (void)id, (void)lParam, Default(); }
    void OnDestroy() { Default(); }
    void OnPaint() { Default(); }
    void OnTimer(UINT_PTR timerId) { (void)timerId, Default(); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

    // A message box owned by this dialog's window, or by none when the
    // object has no window.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    BOOL SetWindowText(LPCSTR text) { return ::SetWindowTextA(m_hWnd, text); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    BOOL CheckDlgButton(int id, UINT check) { return ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetIcon(HICON icon, BOOL big) {
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

  public:
    // Called by the window backend; not for the setup code. Runs the class's
    // handler for the message (WM_INITDIALOG: OnInitDialog); *handled is
    // false when the class has none and the backend's default is due.
    LRESULT DispatchFromBackend(UINT message, WPARAM wParam, LPARAM lParam, bool *handled);
    bool EndRequested() const { return m_endRequested; }
    int EndCode() const { return m_endCode; }
    void AttachWindow(HWND window) { m_hWnd = window; }

  private:
    // The modal run starts a fresh end request.
    void ClearEndRequest() { m_endRequested = false, m_endCode = 0; }

    UINT m_templateId;
    CWnd *m_parent;
    bool m_endRequested = false;
    int m_endCode = 0;
    UINT m_currentMessage = 0;
    WPARAM m_currentWParam = 0;
    LPARAM m_currentLParam = 0;
};

// ---- the application ---------------------------------------------------------
class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp &) = delete;
    CWinApp &operator=(const CWinApp &) = delete;

    // Called once after the framework's own initialisation; false means no
    // message loop runs and the process ends with exit code 0.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Dialog controls in the three-dimensional look: Windows 95 and 98 draw
    // them so already, and so does every renderer here.
    BOOL Enable3dControls() { return TRUE; }

    HINSTANCE m_hInstance; // the program's own module
};

CWinApp *AfxGetApp();

// The framework's entry code: initialises the window backend, calls the one
// application object's InitInstance and returns the process exit code.
int AfxWinMain();
