#include "netsetup/static_address.h"

#include "common/reg_key.h"
#include "common/setup_log.h"
#include "netsetup/card_bindings.h"
#include "netsetup/setup_state.h"
#include "platform/quoted_text.h"

namespace {

const char kAddressWarning[] =
    "Fail to assign a static IP address, the server\nprobably will not be working properly.";

void LogValue(const char *classPath, const char *name, const char *text, LONG result) {
    LogAction("address", vp::QuotedText(classPath) + " " + name + "=" + vp::QuotedText(text) +
                             " -> " + ResultText(static_cast<DWORD>(result)));
}

// Both values into one class key; a missing key is passed over in silence.
void AssignToClassKey(const char *classPath) {
    COpenKey classKey;
    if (classKey.Open(HKEY_LOCAL_MACHINE, classPath) != ERROR_SUCCESS)
        return;
    LogValue(classPath, "IPAddress", g_setupState.addressText,
             SetStringValue(classKey.Get(), "IPAddress", g_setupState.addressText));
    LogValue(classPath, "IPMask", g_setupState.maskText,
             SetStringValue(classKey.Get(), "IPMask", g_setupState.maskText));
}

} // namespace

void AssignStaticAddress(HWND owner) {
    if (!ForEachCardClassKey(AssignToClassKey)) {
        LogAction("address", "failed: the card's device key was not found");
        MessageBoxA(owner, kAddressWarning, "WARNING", MB_ICONHAND);
        return;
    }
    g_setupState.restartState = 1;
}
