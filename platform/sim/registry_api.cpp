// The Win32 registry functions over the simulated machine's registry.
// Results are those of Windows: 0, 2 for a missing key or value, 234 when a
// name or the data does not fit the caller's buffer (which is then left as
// it was), 259 past the last index, 6 for a handle that is not open, 87 for
// a bad argument, 1018 when the handle's key was deleted; see
// registry_file.h for the codes of an unreadable or unsavable file.
#include "platform/sim/registry_handles.h"
#include "platform/sim/registry_store.h"
#include "platform/win32.h"

#include <cstring>

namespace sim::reg {
namespace {

std::string Join(const std::string &path, const std::string &sub) {
    if (path.empty() || sub.empty())
        return path.empty() ? sub : path;
    return path + "\\" + sub;
}

// The newest tree's key for hkey, and the path the handle names.
LONG Resolve(HKEY hkey, const Key **key, const std::string **path = nullptr) {
    const std::string *named = HandlePath(hkey);
    if (!named)
        return ERROR_INVALID_HANDLE;
    const Key *root = nullptr;
    LONG code = MachineRegistry().Read(&root);
    if (code != ERROR_SUCCESS)
        return code;
    *key = FindKey(*root, *named);
    if (path)
        *path = named;
    return *key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// Runs change on the key at path under the registry's lock.
LONG Change(const std::string &path, const std::function<LONG(Key &key)> &change) {
    return MachineRegistry().Update([&](Key &root) {
        Key *key = FindKey(root, path);
        return key ? change(*key) : ERROR_KEY_DELETED;
    });
}

// Copies a name with its NUL when it fits size bytes.
bool CopyName(const std::string &name, LPSTR out, DWORD size) {
    if (name.size() + 1 > size)
        return false;
    std::memcpy(out, name.c_str(), name.size() + 1);
    return true;
}

// The common tail of RegQueryValueExA and RegEnumValueA: type and size are
// reported even when the data does not fit, the data only when it does.
LONG ReportValue(const Value &value, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (type)
        *type = value.type;
    auto size = static_cast<DWORD>(value.data.size());
    if (data && size > *dataSize) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (data)
        std::memcpy(data, value.data.data(), size);
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

} // namespace
} // namespace sim::reg

using namespace sim::reg;

LONG RegOpenKeyA(HKEY hkey, LPCSTR subKey, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    const Key *key = nullptr;
    const std::string *path = nullptr;
    LONG code = Resolve(hkey, &key, &path);
    if (code != ERROR_SUCCESS)
        return code;
    std::string stored;
    if (subKey && !StoredPath(*key, subKey, &stored))
        return ERROR_FILE_NOT_FOUND;
    *result = OpenHandle(Join(*path, stored));
    return ERROR_SUCCESS;
}

LONG RegCreateKeyA(HKEY hkey, LPCSTR subKey, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    const Key *key = nullptr;
    const std::string *path = nullptr;
    LONG code = Resolve(hkey, &key, &path);
    if (code != ERROR_SUCCESS)
        return code;
    std::string_view sub = subKey ? subKey : "";
    if (!ValidPath(sub))
        return ERROR_INVALID_PARAMETER;
    std::string stored;
    if (!StoredPath(*key, sub, &stored)) {
        code = Change(*path, [&](Key &at) {
            CreateKey(at, sub);
            StoredPath(at, sub, &stored);
            return ERROR_SUCCESS;
        });
        if (code != ERROR_SUCCESS)
            return code;
    }
    *result = OpenHandle(Join(*path, stored));
    return ERROR_SUCCESS;
}

LONG RegEnumKeyA(HKEY hkey, DWORD index, LPSTR name, DWORD nameSize) {
    if (!name)
        return ERROR_INVALID_PARAMETER;
    const Key *key = nullptr;
    LONG code = Resolve(hkey, &key);
    if (code != ERROR_SUCCESS)
        return code;
    if (index >= key->subkeys.Size())
        return ERROR_NO_MORE_ITEMS;
    return CopyName(key->subkeys.At(index).name, name, nameSize) ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

LONG RegEnumValueA(HKEY hkey, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (!name || !nameSize || reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    const Key *key = nullptr;
    LONG code = Resolve(hkey, &key);
    if (code != ERROR_SUCCESS)
        return code;
    if (index >= key->values.Size())
        return ERROR_NO_MORE_ITEMS;
    const Value &value = key->values.At(index);
    if (value.name.size() + 1 > *nameSize) {
        ReportValue(value, type, nullptr, dataSize);
        return ERROR_MORE_DATA;
    }
    code = ReportValue(value, type, data, dataSize);
    if (code == ERROR_SUCCESS) {
        CopyName(value.name, name, *nameSize);
        *nameSize = static_cast<DWORD>(value.name.size());
    }
    return code;
}

LONG RegQueryValueExA(HKEY hkey, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    if (reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    const Key *key = nullptr;
    LONG code = Resolve(hkey, &key);
    if (code != ERROR_SUCCESS)
        return code;
    const Value *value = key->FindValue(valueName ? valueName : "");
    return value ? ReportValue(*value, type, data, dataSize) : ERROR_FILE_NOT_FOUND;
}

LONG RegSetValueExA(HKEY hkey, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE *data,
                    DWORD dataSize) {
    // Windows 9x refuses a REG_SZ without data; any other type may be empty.
    if (reserved || (!data && (dataSize || type == REG_SZ)))
        return ERROR_INVALID_PARAMETER;
    const std::string *path = HandlePath(hkey);
    if (!path)
        return ERROR_INVALID_HANDLE;
    std::string bytes(reinterpret_cast<const char *>(data), data ? dataSize : 0);
    return Change(*path, [&](Key &key) {
        key.SetValue(valueName ? valueName : "", type, std::move(bytes));
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKeyA(HKEY hkey, LPCSTR subKey) {
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    const Key *key = nullptr;
    const std::string *path = nullptr;
    LONG code = Resolve(hkey, &key, &path);
    if (code != ERROR_SUCCESS)
        return code;
    std::string stored;
    if (!StoredPath(*key, subKey, &stored))
        return ERROR_FILE_NOT_FOUND;
    // An empty subkey deletes the handle's own key; the root stays.
    std::string target = Join(*path, stored);
    if (target.empty())
        return ERROR_ACCESS_DENIED;
    std::size_t cut = target.rfind('\\');
    std::string parent = cut == std::string::npos ? "" : target.substr(0, cut);
    std::string name = target.substr(cut + 1);
    return Change(parent, [&](Key &at) {
        return at.DeleteSubkey(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegDeleteValueA(HKEY hkey, LPCSTR valueName) {
    const Key *key = nullptr;
    const std::string *path = nullptr;
    LONG code = Resolve(hkey, &key, &path);
    if (code != ERROR_SUCCESS)
        return code;
    std::string name = valueName ? valueName : "";
    if (!key->FindValue(name))
        return ERROR_FILE_NOT_FOUND;
    return Change(*path, [&](Key &at) {
        return at.DeleteValue(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegCloseKey(HKEY hkey) {
    return ReleaseHandle(hkey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
