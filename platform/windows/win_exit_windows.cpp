// ExitWindowsEx as the program calls it (platform/api.h redirects the name
// here). The NT family restarts only for a process holding the shutdown
// privilege, so it is taken first; Windows 95/98 has no privileges (its
// ADVAPI32 exports the calls as failing stubs) and goes straight on. The
// ADVAPI32 calls are loaded at run time so that nothing in the program's
// import table depends on them.
#include "platform/api.h"
#include "platform/windows/windows_family.h"

#undef ExitWindowsEx

namespace {

using OpenTokenFunction = BOOL(WINAPI *)(HANDLE process, DWORD access, PHANDLE token);
using LookupFunction = BOOL(WINAPI *)(LPCSTR system, LPCSTR name, PLUID luid);
using AdjustFunction = BOOL(WINAPI *)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD size, PTOKEN_PRIVILEGES previous, PDWORD returned);

// A failure here is left to ExitWindowsEx, which then reports it.
void TakeShutdownPrivilege() {
    const HMODULE advapi = LoadLibraryA("advapi32.dll");
    const auto openToken = win32::ProcAddress<OpenTokenFunction>(advapi, "OpenProcessToken");
    const auto lookup = win32::ProcAddress<LookupFunction>(advapi, "LookupPrivilegeValueA");
    const auto adjust = win32::ProcAddress<AdjustFunction>(advapi, "AdjustTokenPrivileges");
    HANDLE token = nullptr;
    if (openToken && lookup && adjust &&
        openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (lookup(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
            adjust(token, FALSE, &privileges, 0, nullptr, nullptr);
        CloseHandle(token);
    }
    if (advapi)
        FreeLibrary(advapi);
}

} // namespace

BOOL WINAPI VpExitWindowsEx(UINT flags, DWORD reserved) {
    if (!win32::IsWindows9x())
        TakeShutdownPrivilege();
    return ExitWindowsEx(flags, reserved);
}
