#include "tools/machine_tool.h"

#include "platform/sim/machine.h"
#include "platform/win32.h"

#include <cstdio>
#include <filesystem>

namespace tool {

bool OpenMachine(const std::string &dir) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(dir) / "machine.ini", ec)) {
        std::fprintf(stderr, "veltrin-machine: %s is not a machine folder (no machine.ini)\n",
                     dir.c_str());
        return false;
    }
    sim::UseMachine(std::filesystem::absolute(dir, ec).string());
    return true;
}

std::string ReadString(const std::string &keyPath, const std::string &name) {
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS)
        return {};
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    std::string value;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data),
                         &size) == ERROR_SUCCESS)
        value.assign(data, size > 0 && data[size - 1] == '\0' ? size - 1 : size);
    RegCloseKey(key);
    return value;
}

} // namespace tool
