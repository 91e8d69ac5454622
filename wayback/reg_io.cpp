#include "wayback/reg_io.h"

#include "common/reg_key.h"
#include "wayback/key_path.h"

namespace {

// Longest key and value names Windows allows, with the NUL.
constexpr DWORD kNameRoom = 256;
// Data of most values fits; longer data is read again with the size asked for.
constexpr DWORD kFirstDataRoom = 256;

// The end of an enumeration is its one good non-zero answer.
LONG Ended(LONG result) {
    return result == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : result;
}

LONG ReadTree(HKEY key, const std::string &path, std::vector<RegSection> *out) {
    out->push_back({path, false, {}});
    if (const LONG result = ReadKeyValues(key, &out->back().values))
        return result;
    std::vector<std::string> names;
    if (const LONG result = SubkeyNames(key, &names))
        return result;
    for (const std::string &name : names) {
        COpenKey sub;
        if (const LONG opened = sub.Open(key, name.c_str()))
            return opened;
        if (const LONG result = ReadTree(sub.Get(), KeyBelow(path, name), out))
            return result;
    }
    return ERROR_SUCCESS;
}

// Deletes the subkeys of the open key, deepest first, then the key itself
// from its parent: Windows NT deletes only keys without subkeys.
LONG DeleteTree(HKEY parent, const std::string &name) {
    {
        COpenKey key;
        const LONG opened = key.Open(parent, name.c_str());
        if (opened == ERROR_FILE_NOT_FOUND)
            return ERROR_SUCCESS;
        if (opened != ERROR_SUCCESS)
            return opened;
        std::vector<std::string> names;
        if (const LONG result = SubkeyNames(key.Get(), &names))
            return result;
        for (const std::string &sub : names)
            if (const LONG result = DeleteTree(key.Get(), sub); result != ERROR_SUCCESS)
                return result;
    }
    return RegDeleteKeyA(parent, name.c_str());
}

} // namespace

LONG ReadKeyValues(HKEY key, std::vector<RegValueLine> *values) {
    std::string data(kFirstDataRoom, '\0');
    for (DWORD index = 0;;) {
        char name[kNameRoom];
        DWORD nameSize = kNameRoom;
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG result = RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                                          reinterpret_cast<BYTE *>(data.data()), &dataSize);
        if (result == ERROR_MORE_DATA && dataSize > data.size()) {
            data.resize(dataSize); // the same index once more, with room for its data
            continue;
        }
        if (result != ERROR_SUCCESS)
            return Ended(result);
        values->push_back({std::string(name, nameSize), false, type, data.substr(0, dataSize)});
        ++index;
    }
}

LONG SubkeyNames(HKEY key, std::vector<std::string> *names) {
    char name[kNameRoom];
    for (DWORD index = 0;; ++index) {
        if (const LONG result = RegEnumKeyA(key, index, name, kNameRoom))
            return Ended(result);
        names->emplace_back(name);
    }
}

LONG ReadKeyTree(const std::string &path, std::vector<RegSection> *out) {
    COpenKey key;
    if (const LONG opened = key.Open(HKEY_LOCAL_MACHINE, path.c_str()))
        return opened;
    return ReadTree(key.Get(), path, out);
}

LONG ReadValueLine(const std::string &path, const char *name, RegValueLine *line) {
    COpenKey key;
    if (const LONG opened = key.Open(HKEY_LOCAL_MACHINE, path.c_str()))
        return opened;
    line->name = name;
    line->remove = true;
    line->type = REG_NONE;
    line->data.clear();
    DWORD size = 0;
    DWORD type = REG_NONE;
    LONG result = RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS)
        return result;
    line->data.resize(size);
    result = RegQueryValueExA(key.Get(), name, nullptr, &type,
                              reinterpret_cast<BYTE *>(line->data.data()), &size);
    if (result != ERROR_SUCCESS)
        return result;
    line->data.resize(size);
    line->remove = false;
    line->type = type;
    return ERROR_SUCCESS;
}

LONG ApplySection(const RegSection &section, std::string *what) {
    *what = section.path;
    if (section.removeKey)
        return DeleteTree(HKEY_LOCAL_MACHINE, section.path);
    HKEY key = nullptr;
    const LONG created = RegCreateKeyA(HKEY_LOCAL_MACHINE, section.path.c_str(), &key);
    if (created != ERROR_SUCCESS)
        return created;
    LONG result = ERROR_SUCCESS;
    for (const RegValueLine &value : section.values) {
        result = value.remove ? RegDeleteValueA(key, value.name.c_str())
                              : RegSetValueExA(key, value.name.c_str(), 0, value.type,
                                               reinterpret_cast<const BYTE *>(value.data.data()),
                                               static_cast<DWORD>(value.data.size()));
        if (value.remove && result == ERROR_FILE_NOT_FOUND)
            result = ERROR_SUCCESS;
        if (result != ERROR_SUCCESS) {
            *what = KeyBelow(section.path, value.name.empty() ? "@" : value.name);
            break;
        }
    }
    RegCloseKey(key);
    return result;
}
