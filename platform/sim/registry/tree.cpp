#include "platform/sim/registry/tree.h"

namespace sim::reg {

std::uint32_t NameHash(std::string_view name) {
    // FNV-1a over the folded bytes.
    std::uint32_t h = 2166136261u;
    for (char c : name) {
        h ^= static_cast<unsigned char>(vp::FoldAscii(c));
        h *= 16777619u;
    }
    return h;
}

Key &Key::AddSubkey(std::string_view subName) {
    if (Key *found = subkeys.Find(subName))
        return *found;
    return subkeys.Add(subName);
}

void Key::SetValue(std::string_view valueName, std::uint32_t type, std::string_view data) {
    if (Value *found = values.Find(valueName)) {
        found->type = type;
        found->data.assign(data);
        return;
    }
    values.Add(valueName, type, data);
}

bool operator==(const Key &a, const Key &b) {
    if (a.name != b.name || a.values.Size() != b.values.Size() ||
        a.subkeys.Size() != b.subkeys.Size())
        return false;
    for (std::size_t i = 0; i < a.values.Size(); ++i) {
        const Value &x = a.values.At(i);
        const Value &y = b.values.At(i);
        if (x.name != y.name || x.type != y.type || x.data != y.data)
            return false;
    }
    for (std::size_t i = 0; i < a.subkeys.Size(); ++i)
        if (!(a.subkeys.At(i) == b.subkeys.At(i)))
            return false;
    return true;
}

bool ValidKeyName(std::string_view name) {
    for (char c : name)
        if (c == '\\' || c == '\0' || c == '\r' || c == '\n')
            return false;
    return !name.empty() && name.size() <= kMaxKeyName;
}

bool ValidPath(std::string_view path) {
    return ForEachPathName(path, [](std::string_view) { return true; });
}

const Key *FindKey(const Key &from, std::string_view path) {
    const Key *key = &from;
    bool ok = ForEachPathName(path, [&](std::string_view keyName) {
        key = key->Subkey(keyName);
        return key != nullptr;
    });
    return ok ? key : nullptr;
}

Key *FindKey(Key &from, std::string_view path) {
    return const_cast<Key *>(FindKey(static_cast<const Key &>(from), path));
}

Key *CreateKey(Key &from, std::string_view path) {
    // Check every name first: an invalid path creates nothing.
    if (!ValidPath(path))
        return nullptr;
    Key *key = &from;
    bool ok = ForEachPathName(path, [&](std::string_view keyName) {
        key = &key->AddSubkey(keyName);
        return true;
    });
    return ok ? key : nullptr;
}

bool StoredPath(const Key &from, std::string_view path, std::string *stored) {
    const Key *key = &from;
    stored->clear();
    return ForEachPathName(path, [&](std::string_view keyName) {
        key = key->Subkey(keyName);
        if (!key)
            return false;
        if (!stored->empty())
            stored->push_back('\\');
        stored->append(key->name);
        return true;
    });
}

} // namespace sim::reg
