// Drive queries answered from machine.ini.
#include "platform/api.h"
#include "platform/sim/machine/machine_config.h"

#include <cstring>

DWORD GetLogicalDrives() {
    sim::MachineConfig config = sim::CurrentMachineConfig();
    DWORD mask = 0;
    for (size_t i = 0; i < config.driveTypes.size(); ++i)
        if (config.driveTypes[i] != DRIVE_NO_ROOT_DIR)
            mask |= DWORD{1} << i;
    return mask;
}

// "X:\" (or "X:"); anything else names no root directory.
UINT GetDriveTypeA(LPCSTR rootPath) {
    if (!rootPath || !rootPath[0] || rootPath[1] != ':')
        return DRIVE_NO_ROOT_DIR;
    const char *tail = rootPath + 2;
    if (*tail == '\\' || *tail == '/')
        ++tail;
    if (*tail)
        return DRIVE_NO_ROOT_DIR;
    return sim::DriveTypeOf(rootPath[0]);
}

// Windows semantics: the length on success; when the buffer is too small, the
// size needed with the NUL, and nothing is written.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    std::string dir = sim::CurrentMachineConfig().windowsDirectory;
    auto length = static_cast<UINT>(dir.size());
    if (!buffer || size <= length)
        return length + 1;
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return length;
}
