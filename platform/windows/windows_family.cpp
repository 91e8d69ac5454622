#include "platform/windows/windows_family.h"

namespace win32 {

bool IsWindows9x() {
    return (GetVersion() & 0x80000000u) != 0;
}

bool IsWine() {
    return ProcAddress<void (*)()>(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

} // namespace win32
