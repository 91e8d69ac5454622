// The NT family has no svrapi: its share service is netapi32's, Unicode only,
// at level 2. A level-50 record maps onto it field by field; share-level
// passwords mean nothing under user-level security, but are passed on.
#include "platform/windows/share_nt.h"

#include "platform/windows/windows_family.h"

#include <lmaccess.h>
#include <lmshare.h>

namespace win32 {

namespace {

constexpr unsigned kNotSupported = ERROR_NOT_SUPPORTED;

using AddFunction = NET_API_STATUS(WINAPI *)(LMSTR server, DWORD level, LPBYTE buffer,
                                             LPDWORD parameterError);
using DeleteFunction = NET_API_STATUS(WINAPI *)(LMSTR server, LMSTR name, DWORD reserved);

HMODULE Netapi32() {
    static const HMODULE module = LoadLibraryA("netapi32.dll");
    return module;
}

// A text in the wide characters netapi32 takes; false when it does not fit.
class WideText {
  public:
    explicit WideText(const char *text) {
        if (!text || !*text)
            return;
        m_ok = MultiByteToWideChar(CP_ACP, 0, text, -1, m_text, MAX_PATH + 1) != 0;
        m_present = true;
    }
    bool Ok() const { return m_ok; }
    LMSTR Get() { return m_present ? m_text : nullptr; }

  private:
    wchar_t m_text[MAX_PATH + 1] = {};
    bool m_ok = true;
    bool m_present = false;
};

} // namespace

unsigned AddNtShare(const NtShare &share) {
    const auto add = ProcAddress<AddFunction>(Netapi32(), "NetShareAdd");
    if (!add)
        return kNotSupported;
    WideText name(share.name), remark(share.remark), path(share.path), password(share.password);
    if (!name.Ok() || !remark.Ok() || !path.Ok() || !password.Ok())
        return ERROR_INVALID_PARAMETER;
    SHARE_INFO_2 info = {};
    info.shi2_netname = name.Get();
    info.shi2_type = share.printer ? STYPE_PRINTQ : STYPE_DISKTREE;
    info.shi2_remark = remark.Get();
    info.shi2_permissions = share.readOnly ? ACCESS_READ : ACCESS_ALL;
    info.shi2_max_uses = SHI_USES_UNLIMITED;
    info.shi2_path = path.Get();
    info.shi2_passwd = password.Get();
    DWORD parameterError = 0;
    return add(nullptr, 2, reinterpret_cast<LPBYTE>(&info), &parameterError);
}

unsigned DeleteNtShare(const char *name) {
    const auto remove = ProcAddress<DeleteFunction>(Netapi32(), "NetShareDel");
    if (!remove)
        return kNotSupported;
    WideText wide(name);
    if (!wide.Ok() || !wide.Get())
        return ERROR_INVALID_PARAMETER;
    return remove(nullptr, wide.Get(), 0);
}

} // namespace win32
