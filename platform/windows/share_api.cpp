// NetShareAdd and NetShareDel at level 50, served by what this system has:
// - Windows 95/98: svrapi.dll, loaded at run time (the loader looks in the
//   program's folder first, then in the system folder);
// - the NT family and Wine: a svrapi.dll in the program's own folder when
//   there is one (a copied 9x one, or the test stand-in), else netapi32 at
//   level 2 (share_nt.cpp). Wine's own svrapi.dll is a stub that aborts the
//   process when called, and Wine may call itself Windows 98, so it is
//   never loaded from the system folder there.
// When nothing serves, the calls return 50 (not supported).
#include "platform/svrapi.h"
#include "platform/windows/share_nt.h"
#include "platform/windows/windows_family.h"

namespace {

using AddFunction = unsigned(WINAPI *)(const char *server, short level, const char *buffer,
                                       unsigned short size);
using DeleteFunction = unsigned(WINAPI *)(const char *server, const char *name,
                                          unsigned short reserved);

// The svrapi.dll beside the program, or null.
HMODULE LoadLocalSvrApi() {
    char path[MAX_PATH + 16];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    char *name = path + length;
    while (name > path && name[-1] != '\\' && name[-1] != '/' && name[-1] != ':')
        --name;
    lstrcpyA(name, "svrapi.dll");
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    return LoadLibraryA(path);
}

// A real Windows 95/98: netapi32 there is not the NT one.
bool IsReal9x() {
    static const bool real9x = win32::IsWindows9x() && !win32::IsWine();
    return real9x;
}

HMODULE SvrApi() {
    static const HMODULE module = IsReal9x() ? LoadLibraryA("svrapi.dll") : LoadLocalSvrApi();
    return module;
}

win32::NtShare AsNtShare(const share_info_50 &record) {
    return {record.shi50_netname,
            record.shi50_type == STYPE_PRINTQ,
            (record.shi50_flags & SHI50F_RDONLY) != 0,
            record.shi50_remark,
            record.shi50_path,
            record.shi50_rw_password};
}

} // namespace

unsigned NetShareAdd(const char *server, short level, const char *buffer, unsigned short size) {
    if (const auto add = win32::ProcAddress<AddFunction>(SvrApi(), "NetShareAdd"))
        return add(server, level, buffer, size);
    if (IsReal9x())
        return ERROR_NOT_SUPPORTED;
    if (level != 50)
        return ERROR_INVALID_LEVEL;
    if (!buffer)
        return ERROR_INVALID_PARAMETER;
    if (size < sizeof(share_info_50))
        return NERR_BufTooSmall;
    if (server && *server)
        return ERROR_NOT_SUPPORTED; // only shares of this machine are made
    return win32::AddNtShare(AsNtShare(*reinterpret_cast<const share_info_50 *>(buffer)));
}

unsigned NetShareDel(const char *server, const char *netName, unsigned short reserved) {
    if (const auto remove = win32::ProcAddress<DeleteFunction>(SvrApi(), "NetShareDel"))
        return remove(server, netName, reserved);
    if (IsReal9x() || (server && *server))
        return ERROR_NOT_SUPPORTED;
    return win32::DeleteNtShare(netName);
}
