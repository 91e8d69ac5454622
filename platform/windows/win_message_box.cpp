// MessageBoxA as the program calls it (platform/api.h redirects the name
// here): when a run is written down or answered from a response file,
// veltrin-script.dll shows the box.
#include "platform/api.h"
#include "platform/windows/script_loader.h"

#undef MessageBoxA

int WINAPI VpMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (const win32::ScriptLink *automation = win32::Automation())
        return automation->showMessageBox(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}
