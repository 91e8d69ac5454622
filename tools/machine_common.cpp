#include "tools/machine_tool.h"

#include "platform/api.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace tool {

bool OpenMachine(const std::string &dir) {
    const std::string folder = dir.empty() ? sim::MachineDir() : dir;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(folder) / "machine.ini", ec)) {
        std::fprintf(stderr, "veltrin-machine: %s is not a machine folder (no machine.ini)\n",
                     folder.c_str());
        return false;
    }
    if (!dir.empty())
        sim::UseMachine(std::filesystem::absolute(dir, ec).string());
    return true;
}

bool MachineArgument(const Args &args, std::string *dir) {
    if (args.size() > 1)
        return false;
    *dir = args.empty() ? std::string() : args[0];
    return true;
}

bool RegistryReadable() {
    const sim::reg::Key *root = nullptr;
    // A failure is told on stderr by the registry itself, naming the file.
    return sim::reg::MachineRegistry().Read(&root) == ERROR_SUCCESS;
}

bool OutputWritten() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    std::fprintf(stderr, "veltrin-machine: cannot write the output: %s\n", std::strerror(errno));
    return false;
}

LONG Subkeys(const std::string &keyPath, std::vector<std::string> *names) {
    names->clear();
    HKEY key;
    LONG code = RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key);
    if (code != ERROR_SUCCESS)
        return code;
    std::string name(256, '\0');
    for (DWORD i = 0;;) {
        code = RegEnumKeyA(key, i, name.data(), static_cast<DWORD>(name.size()));
        if (code == ERROR_MORE_DATA) {
            name.resize(name.size() * 2); // the size a name needs is not told
            continue;
        }
        if (code != ERROR_SUCCESS)
            break;
        names->emplace_back(name.c_str());
        ++i;
    }
    RegCloseKey(key);
    return code == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : code;
}

std::string ReadString(const std::string &keyPath, const std::string &name) {
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS)
        return {};
    std::string value;
    DWORD size = 0;
    LONG code = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    while (code == ERROR_SUCCESS) {
        value.resize(size);
        code = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                reinterpret_cast<BYTE *>(value.data()), &size);
        if (code == ERROR_SUCCESS) {
            value.resize(size > 0 && value[size - 1] == '\0' ? size - 1 : size);
            break;
        }
        if (code == ERROR_MORE_DATA) // grown meanwhile: size is what it takes now
            code = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return code == ERROR_SUCCESS ? value : std::string();
}

LONG Values(const std::string &keyPath, std::vector<NamedValue> *values) {
    values->clear();
    HKEY key;
    LONG code = RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key);
    if (code != ERROR_SUCCESS)
        return code;
    std::string name(256, '\0');
    std::string data(1024, '\0');
    for (DWORD i = 0;;) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        code = RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type,
                             reinterpret_cast<BYTE *>(data.data()), &dataSize);
        if (code == ERROR_MORE_DATA) {
            // The data's size is told; a name that does not fit is not.
            if (dataSize > data.size())
                data.resize(dataSize);
            else
                name.resize(name.size() * 2);
            continue;
        }
        if (code != ERROR_SUCCESS)
            break;
        std::string text(data.data(), dataSize);
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !text.empty() && text.back() == '\0')
            text.pop_back();
        values->push_back({std::string(name.data(), nameSize), type, text});
        ++i;
    }
    RegCloseKey(key);
    return code == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : code;
}

} // namespace tool
