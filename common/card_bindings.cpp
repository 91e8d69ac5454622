#include "common/card_bindings.h"

#include "common/reg_key.h"
#include "platform/framework/format_text.h"
#include "platform/registry_keys.h"

#include <cstring>

namespace {

const char kCardId[] = "VEN_1022&DEV_2001";
const char kTcpBinding[] = "MSTCP\\";

// Every name, data and path buffer of the walk holds 79 characters and a NUL
// (kRegBufferSize).
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
bool FindDeviceKeyPath(char (&path)[kRegBufferSize]) {
    COpenKey pci;
    if (pci.Open(HKEY_LOCAL_MACHINE, "Enum\\PCI") != ERROR_SUCCESS)
        return false;
    char name[kRegBufferSize];
    for (DWORD index = 0; RegEnumKeyA(pci.Get(), index, name, kRegBufferSize) == ERROR_SUCCESS;
         ++index) {
        if (StartsWith(name, kCardId)) {
            return vp::FormatText(path, kRegBufferSize, "Enum\\PCI\\%s", name);
        }
    }
    return false;
}

// One TCP/IP binding, named by what follows "MSTCP\" in the binding's value
// name (at most 5 characters of it are used): its class key goes to visit
// while the protocol instance key is open.
void VisitBinding(const char *protocolInstance, ClassKeyVisit visit) {
    // "MSTCP\" alone would name Enum\Network\MSTCP itself, not an instance.
    if (*protocolInstance == '\0')
        return;
    char protocolPath[kProtocolPathSize];
    vp::FormatText(protocolPath, sizeof protocolPath, "Enum\\Network\\MSTCP\\%.5s",
                   protocolInstance);
    COpenKey protocol;
    if (protocol.Open(HKEY_LOCAL_MACHINE, protocolPath) != ERROR_SUCCESS)
        return;

    char driver[kRegBufferSize];
    DWORD type = 0;
    DWORD size = kRegBufferSize;
    if (RegQueryValueExA(protocol.Get(), "Driver", nullptr, &type, reinterpret_cast<BYTE *>(driver),
                         &size) != ERROR_SUCCESS)
        return;
    // The text runs to its first NUL; data stored without one ends at its size.
    const void *end = std::memchr(driver, '\0', size);
    const std::size_t driverLength =
        end ? static_cast<std::size_t>(static_cast<const char *>(end) - driver) : size;
    // An empty driver text would name the Class key itself, and one too long
    // for the class key path names no key we could open: pass the binding
    // over like any other missing class key.
    if (driverLength == 0 || sizeof kClassKeyPrefix - 1 + driverLength >= kRegBufferSize)
        return;
    char classPath[kRegBufferSize];
    vp::FormatText(classPath, sizeof classPath, "%s%.*s", kClassKeyPrefix,
                   static_cast<int>(driverLength), driver);

    visit(classPath);
}

// Every "MSTCP\" binding of one instance of the card; other protocols are
// passed over.
void VisitInstance(HKEY device, const char *instanceName, ClassKeyVisit visit) {
    COpenKey instance;
    if (instance.Open(device, instanceName) != ERROR_SUCCESS)
        return;
    COpenKey bindings;
    if (bindings.Open(instance.Get(), "Bindings") != ERROR_SUCCESS)
        return;
    char name[kRegBufferSize];
    BYTE data[kRegBufferSize];
    for (DWORD index = 0;; ++index) {
        // The platform returns the lengths through the sizes: reset them.
        DWORD nameSize = kRegBufferSize;
        DWORD dataSize = kRegBufferSize;
        DWORD type = 0;
        if (RegEnumValueA(bindings.Get(), index, name, &nameSize, nullptr, &type, data,
                          &dataSize) != ERROR_SUCCESS)
            return;
        if (StartsWith(name, kTcpBinding))
            VisitBinding(name + sizeof kTcpBinding - 1, visit);
    }
}

} // namespace

bool ForEachCardClassKey(ClassKeyVisit visit) {
    char devicePath[kRegBufferSize];
    COpenKey device;
    if (!FindDeviceKeyPath(devicePath) ||
        device.Open(HKEY_LOCAL_MACHINE, devicePath) != ERROR_SUCCESS)
        return false;
    char instanceName[kRegBufferSize];
    for (DWORD index = 0;
         RegEnumKeyA(device.Get(), index, instanceName, kRegBufferSize) == ERROR_SUCCESS; ++index)
        VisitInstance(device.Get(), instanceName, visit);
    return true;
}
