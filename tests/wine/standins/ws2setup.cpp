// The Winsock 2 installer, stand-in for runs under Wine: adds the Winsock 2
// service key, as the sample CD's script does on the simulated machine.
#include <windows.h>

namespace {

void SetString(HKEY key, const char *name, const char *text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>(lstrlenA(text) + 1));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE,
                      "System\\CurrentControlSet\\Services\\Winsock2\\Parameters",
                      &key) != ERROR_SUCCESS)
        return 1;
    SetString(key, "Current_Protocol_Catalog", "Protocol_Catalog9");
    SetString(key, "Current_NameSpace_Catalog", "NameSpace_Catalog5");
    RegCloseKey(key);
    return 0;
}
