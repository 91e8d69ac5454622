// The Win32 registry functions over the simulated machine's registry.
// Results are those of Windows: 0, 2 for a missing key or value, 234 when a
// name or the data does not fit the caller's buffer (which is then left as
// it was), 259 past the last index, 6 for a handle that is not open, 87 for
// a bad argument, 1018 when the handle's key was deleted; see
// registry/file.h for the codes of an unreadable or unsavable file.
#include "platform/api.h"
#include "platform/sim/registry/key_handles.h"
#include "platform/sim/registry/store.h"

#include <cstring>

namespace sim::reg {
namespace {

std::string Join(const std::string &path, const std::string &sub) {
    if (path.empty() || sub.empty())
        return path.empty() ? sub : path;
    return path + "\\" + sub;
}

// A handle's key in the newest tree, and the path the handle names.
struct Opened {
    LONG code = ERROR_SUCCESS;
    const Key *key = nullptr;
    const std::string *path = nullptr;
};

Opened Resolve(HKEY hkey) {
    OpenKey *open = FindHandle(hkey);
    if (!open)
        return {ERROR_INVALID_HANDLE};
    Opened at;
    at.path = &open->path;
    RegistryFile &file = MachineRegistry();
    const Key *root = nullptr;
    at.code = file.Read(&root);
    if (at.code != ERROR_SUCCESS)
        return at;
    if (open->generation != file.Generation()) {
        open->key = FindKey(*root, open->path);
        open->generation = file.Generation();
    }
    at.key = open->key;
    if (!at.key)
        at.code = ERROR_KEY_DELETED;
    return at;
}

// Runs change on the key at path under the registry's lock.
LONG EditKeyAt(const std::string &path, const std::function<LONG(Key &key)> &change) {
    return MachineRegistry().EditTree([&](Key &root) {
        Key *key = FindKey(root, path);
        return key ? change(*key) : ERROR_KEY_DELETED;
    });
}

// The number of key names in a valid path.
int Depth(std::string_view path) {
    int depth = 0;
    ForEachPathName(path, [&depth](std::string_view) {
        ++depth;
        return true;
    });
    return depth;
}

// Copies a name with its NUL when it fits size bytes.
bool CopyName(std::string_view name, LPSTR out, DWORD size) {
    if (name.size() + 1 > size)
        return false;
    std::memcpy(out, name.data(), name.size());
    out[name.size()] = '\0';
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
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    std::string stored;
    if (subKey && !StoredPath(*at.key, subKey, &stored))
        return ERROR_FILE_NOT_FOUND;
    *result = OpenHandle(Join(*at.path, stored));
    return ERROR_SUCCESS;
}

LONG RegCreateKeyA(HKEY hkey, LPCSTR subKey, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    std::string_view sub = subKey ? subKey : "";
    // The depth counts from the root: a key deeper than the file may hold
    // would leave a registry that no process can read again.
    if (!ValidPath(sub) || Depth(*at.path) + Depth(sub) > kMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    std::string stored;
    if (!StoredPath(*at.key, sub, &stored)) {
        at.code = EditKeyAt(*at.path, [&](Key &target) {
            CreateKey(target, sub);
            StoredPath(target, sub, &stored);
            return ERROR_SUCCESS;
        });
        if (at.code != ERROR_SUCCESS)
            return at.code;
    }
    *result = OpenHandle(Join(*at.path, stored));
    return ERROR_SUCCESS;
}

LONG RegEnumKeyA(HKEY hkey, DWORD index, LPSTR name, DWORD nameSize) {
    if (!name)
        return ERROR_INVALID_PARAMETER;
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    if (index >= at.key->subkeys.Size())
        return ERROR_NO_MORE_ITEMS;
    return CopyName(at.key->subkeys.At(index).name, name, nameSize) ? ERROR_SUCCESS
                                                                    : ERROR_MORE_DATA;
}

LONG RegEnumValueA(HKEY hkey, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (!name || !nameSize || reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    if (index >= at.key->values.Size())
        return ERROR_NO_MORE_ITEMS;
    const Value &value = at.key->values.At(index);
    if (value.name.size() + 1 > *nameSize) {
        ReportValue(value, type, nullptr, dataSize);
        return ERROR_MORE_DATA;
    }
    LONG code = ReportValue(value, type, data, dataSize);
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
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    const Value *value = at.key->FindValue(valueName ? valueName : "");
    return value ? ReportValue(*value, type, data, dataSize) : ERROR_FILE_NOT_FOUND;
}

LONG RegSetValueExA(HKEY hkey, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE *data,
                    DWORD dataSize) {
    // Windows 9x refuses a REG_SZ without data; any other type may be empty.
    if (reserved || (!data && (dataSize || type == REG_SZ)))
        return ERROR_INVALID_PARAMETER;
    const OpenKey *open = FindHandle(hkey);
    if (!open)
        return ERROR_INVALID_HANDLE;
    const std::string *path = &open->path;
    std::string bytes(reinterpret_cast<const char *>(data), data ? dataSize : 0);
    return EditKeyAt(*path, [&](Key &key) {
        key.SetValue(valueName ? valueName : "", type, std::move(bytes));
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKeyA(HKEY hkey, LPCSTR subKey) {
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    std::string stored;
    if (!StoredPath(*at.key, subKey, &stored))
        return ERROR_FILE_NOT_FOUND;
    // An empty subkey deletes the handle's own key; the root stays.
    std::string doomed = Join(*at.path, stored);
    if (doomed.empty())
        return ERROR_ACCESS_DENIED;
    std::size_t cut = doomed.rfind('\\');
    std::string parent = cut == std::string::npos ? "" : doomed.substr(0, cut);
    std::string name = doomed.substr(cut + 1);
    return EditKeyAt(parent, [&](Key &target) {
        return target.DeleteSubkey(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegDeleteValueA(HKEY hkey, LPCSTR valueName) {
    Opened at = Resolve(hkey);
    if (at.code != ERROR_SUCCESS)
        return at.code;
    std::string name = valueName ? valueName : "";
    if (!at.key->FindValue(name))
        return ERROR_FILE_NOT_FOUND;
    return EditKeyAt(*at.path, [&](Key &target) {
        return target.DeleteValue(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegCloseKey(HKEY hkey) {
    return ReleaseHandle(hkey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
