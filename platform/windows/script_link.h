// What the programs and veltrin-script.dll hand each other. The DLL holds
// the response-file run, the transcript and the recording on real windows;
// the programs load it only when a run asks for one of them, so that the
// programs themselves carry none of it. Both sides are plain tables of
// functions: neither links against the other's code.
#pragma once

#include "platform/api.h"

namespace win32 {

// The program's side: its open dialogs, which only it knows.
struct ProgramLink {
    HWND (*innermostDialog)();  // the window of the innermost open dialog, or null
    UINT (*templateOf)(HWND);   // the template of the open dialog the window is or is in; 0: none
    BOOL (*endRequested)(HWND); // the open dialog's handler has asked to end it
};

// The DLL's side, called by the dialog procedure and MessageBoxA.
struct ScriptLink {
    // Shows the box and returns the answer, a person's or the response
    // file's, writing both down.
    int (*showMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
    void (*dialogOpened)(HWND dialog); // after WM_INITDIALOG
    // Every later message, before the dialog acts on it.
    void (*dialogMessage)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void (*dialogShown)(HWND dialog);             // WM_SHOWWINDOW
    void (*dialogEnded)(HWND dialog, int result); // WM_DESTROY, before it leaves the open dialogs
    void (*dialogClosed)(HWND dialog);            // WM_DESTROY, after it has left them
};

inline constexpr char kScriptLibrary[] = "veltrin-script.dll";
// The DLL's one export: starts what the environment asks for (VELTRIN_UI,
// VELTRIN_TRANSCRIPT, VELTRIN_RECORD) and returns its side; it stops the
// program itself, with a message, when the run cannot go on.
inline constexpr char kScriptEntry[] = "VpScriptLink";
using ScriptLinkEntry = const ScriptLink *(*)(const ProgramLink *program);

} // namespace win32
