#include "tools/machine_tool.h"

#include "platform/sim/machine.h"
#include "platform/api.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

std::vector<NamedValue> Values(const std::string &keyPath) {
    std::vector<NamedValue> values;
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS)
        return values;
    char name[1024];
    char data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE *>(data),
                          &dataSize) != ERROR_SUCCESS)
            break;
        std::string text(data, dataSize);
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !text.empty() && text.back() == '\0')
            text.pop_back();
        values.push_back({name, type, text});
    }
    RegCloseKey(key);
    return values;
}

} // namespace tool
