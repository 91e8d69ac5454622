#include "netsetup/static_address.h"

#include "common/card_bindings.h"
#include "common/reg_key.h"
#include "netsetup/setup_state.h"
#include "wayback/setup_log.h"

namespace {

const char kAddressWarning[] =
    "Fail to assign a static IP address, the server\nprobably will not be working properly.";

LONG LogValue(const char *classPath, const char *name, const char *text, LONG result) {
    LogLine("address").Quoted(classPath).Text(" ").Text(name).Text("=").Quoted(text).Result(
        static_cast<DWORD>(result));
    return result;
}

// Both values into one class key; true when both were written. A missing key
// is passed over in silence.
bool AssignToClassKey(const char *classPath) {
    COpenKey classKey;
    if (classKey.Open(HKEY_LOCAL_MACHINE, classPath) != ERROR_SUCCESS)
        return false;
    const LONG address =
        LogValue(classPath, "IPAddress", g_setupState.addressText,
                 SetStringValue(classKey.Get(), "IPAddress", g_setupState.addressText));
    const LONG mask = LogValue(classPath, "IPMask", g_setupState.maskText,
                               SetStringValue(classKey.Get(), "IPMask", g_setupState.maskText));
    return address == ERROR_SUCCESS && mask == ERROR_SUCCESS;
}

} // namespace

bool AssignStaticAddress(HWND owner) {
    bool assigned = false;
    const bool reached = ForEachCardClassKey([&assigned](const char *classPath) {
        if (AssignToClassKey(classPath))
            assigned = true;
    });
    if (assigned)
        return true;
    LogLine("address").Text(reached ? "failed: no binding of the card took the address"
                                    : "failed: the card's device key was not found");
    // Every key of the walk is closed before the user is told.
    MessageBoxA(owner, kAddressWarning, "WARNING", MB_ICONHAND);
    return false;
}
