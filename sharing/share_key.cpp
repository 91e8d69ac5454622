#include "sharing/share_key.h"

#include "common/reg_key.h"

namespace {

// Only the value's own bytes count: a value shorter than four bytes is not
// a disk share, whatever the buffer held before.
bool IsDiskShare(HKEY subkey) {
    BYTE data[kRegBufferSize];
    DWORD type = 0;
    DWORD size = kRegBufferSize;
    if (RegQueryValueExA(subkey, "Type", nullptr, &type, data, &size) != ERROR_SUCCESS)
        return false;
    return size >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 0 && data[3] == 0;
}

} // namespace

void ForEachDiskShare(vp::FunctionRef<void(HKEY subkey, const char *name)> visit) {
    COpenKey shares;
    if (shares.Open(HKEY_LOCAL_MACHINE, kShareKeyPath) != ERROR_SUCCESS)
        return;
    char name[kRegBufferSize];
    for (DWORD index = 0; RegEnumKeyA(shares.Get(), index, name, kRegBufferSize) == ERROR_SUCCESS;
         ++index) {
        COpenKey subkey;
        if (subkey.Open(shares.Get(), name) != ERROR_SUCCESS)
            continue;
        if (IsDiskShare(subkey.Get()))
            visit(subkey.Get(), name);
    }
}
