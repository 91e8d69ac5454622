#include "platform/windows/environment.h"

#include "platform/api.h"

namespace win32 {

std::string EnvironmentValue(const char *name) {
    std::string value(MAX_PATH, '\0');
    DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) { // too small: length is the size needed
        value.resize(length);
        length = GetEnvironmentVariableA(name, value.data(), length);
    }
    value.resize(length < value.size() ? length : 0);
    return value;
}

void SetEnvironmentValue(const char *name, const std::string &value) {
    SetEnvironmentVariableA(name, value.c_str());
}

std::string FullPath(const char *path) {
    char full[MAX_PATH];
    char *name = nullptr;
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, &name);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

} // namespace win32
