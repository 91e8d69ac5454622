#include "netsetup/static_address.h"

#include "common/reg_key.h"
#include "netsetup/setup_state.h"

#include <cstdio>
#include <cstring>

namespace {

const char kAddressWarning[] =
    "Fail to assign a static IP address, the server\nprobably will not be working properly.";
const char kCardId[] = "VEN_1022&DEV_2001";
const char kTcpBinding[] = "MSTCP\\";
const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";

// Every name, data and path buffer of the walk holds 79 characters and a NUL
// (kBufferSize).
// The protocol instance path holds "Enum\Network\MSTCP\" and 5 more.
constexpr std::size_t kProtocolPathSize = 30;

// Exact, case-sensitive comparison of the first characters; a shorter name
// does not match.
template <std::size_t N> bool StartsWith(const char *name, const char (&prefix)[N]) {
    return std::strncmp(name, prefix, N - 1) == 0;
}

// "Enum\PCI\<first subkey named after the card>"; false when the PCI key does
// not open, no subkey matches before the enumeration ends, or the path would
// not fit its buffer (then the device key cannot be named either).
bool FindDeviceKeyPath(char (&path)[kBufferSize]) {
    COpenKey pci;
    if (pci.Open(HKEY_LOCAL_MACHINE, "Enum\\PCI") != ERROR_SUCCESS)
        return false;
    char name[kBufferSize];
    for (DWORD index = 0; RegEnumKeyA(pci.Get(), index, name, kBufferSize) == ERROR_SUCCESS;
         ++index) {
        if (StartsWith(name, kCardId)) {
            const int length = std::snprintf(path, kBufferSize, "Enum\\PCI\\%s", name);
            return length < static_cast<int>(kBufferSize);
        }
    }
    return false;
}

// One TCP/IP binding, named by what follows "MSTCP\" in the binding's value
// name (at most 5 characters of it are used). True when its driver key got
// both the address and the mask.
bool AssignToBinding(const char *protocolInstance) {
    // "MSTCP\" alone would name Enum\Network\MSTCP itself, not an instance.
    if (*protocolInstance == '\0')
        return false;
    char protocolPath[kProtocolPathSize];
    std::snprintf(protocolPath, sizeof protocolPath, "Enum\\Network\\MSTCP\\%.5s",
                  protocolInstance);
    COpenKey protocol;
    if (protocol.Open(HKEY_LOCAL_MACHINE, protocolPath) != ERROR_SUCCESS)
        return false;

    char driver[kBufferSize];
    DWORD type = 0;
    DWORD size = kBufferSize;
    if (RegQueryValueExA(protocol.Get(), "Driver", nullptr, &type, reinterpret_cast<BYTE *>(driver),
                         &size) != ERROR_SUCCESS)
        return false;
    // The text runs to its first NUL; data stored without one ends at its size.
    const void *end = std::memchr(driver, '\0', size);
    const std::size_t driverLength =
        end ? static_cast<std::size_t>(static_cast<const char *>(end) - driver) : size;
    // An empty driver text would name the Class key itself, and one too long
    // for the class key path names no key we could open: pass the binding
    // over like any other missing class key.
    if (driverLength == 0 || sizeof kClassRoot - 1 + driverLength >= kBufferSize)
        return false;
    char classPath[kBufferSize];
    std::snprintf(classPath, sizeof classPath, "%s%.*s", kClassRoot, static_cast<int>(driverLength),
                  driver);

    COpenKey classKey;
    if (classKey.Open(HKEY_LOCAL_MACHINE, classPath) != ERROR_SUCCESS)
        return false;
    const bool address =
        SetStringValue(classKey.Get(), "IPAddress", g_setupState.addressText) == ERROR_SUCCESS;
    const bool mask =
        SetStringValue(classKey.Get(), "IPMask", g_setupState.maskText) == ERROR_SUCCESS;
    return address && mask;
}

// Every "MSTCP\" binding of one instance of the card; other protocols are
// passed over. True when one of them got the address.
bool AssignToInstance(HKEY device, const char *instanceName) {
    COpenKey instance;
    if (instance.Open(device, instanceName) != ERROR_SUCCESS)
        return false;
    COpenKey bindings;
    if (bindings.Open(instance.Get(), "Bindings") != ERROR_SUCCESS)
        return false;
    bool assigned = false;
    char name[kBufferSize];
    BYTE data[kBufferSize];
    for (DWORD index = 0;; ++index) {
        // The platform returns the lengths through the sizes: reset them.
        DWORD nameSize = kBufferSize;
        DWORD dataSize = kBufferSize;
        DWORD type = 0;
        if (RegEnumValueA(bindings.Get(), index, name, &nameSize, nullptr, &type, data,
                          &dataSize) != ERROR_SUCCESS)
            return assigned;
        if (StartsWith(name, kTcpBinding) && AssignToBinding(name + sizeof kTcpBinding - 1))
            assigned = true;
    }
}

// Every instance of the card; true when one of its bindings got the address,
// false also when the card's device key cannot be reached.
bool AssignToCard() {
    char devicePath[kBufferSize];
    COpenKey device;
    if (!FindDeviceKeyPath(devicePath) ||
        device.Open(HKEY_LOCAL_MACHINE, devicePath) != ERROR_SUCCESS)
        return false;
    bool assigned = false;
    char instanceName[kBufferSize];
    for (DWORD index = 0;
         RegEnumKeyA(device.Get(), index, instanceName, kBufferSize) == ERROR_SUCCESS; ++index)
        if (AssignToInstance(device.Get(), instanceName))
            assigned = true;
    return assigned;
}

} // namespace

bool AssignStaticAddress(HWND owner) {
    const bool assigned = AssignToCard();
    // Every key of the walk is closed before the user is told.
    if (!assigned)
        MessageBoxA(owner, kAddressWarning, "WARNING", MB_ICONHAND);
    return assigned;
}
