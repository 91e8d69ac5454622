// The in-memory HKEY_LOCAL_MACHINE: keys and values keep the case they were
// created with, match names case-insensitively and enumerate in creation
// order. Paths are relative to the root, with '\' between key names.
#pragma once

#include "platform/sim/registry/names.h"

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>

namespace sim::reg {

// Names and data live in the tree's memory (see NamedList).
using Text = std::pmr::string;

struct Value {
    using allocator_type = std::pmr::polymorphic_allocator<>;
    Value(std::string_view valueName, std::uint32_t valueType, std::string_view bytes,
          const allocator_type &alloc = {})
        : name(valueName, alloc), type(valueType), data(bytes, alloc) {}

    Text name; // "" is the key's default value
    std::uint32_t type = 0;
    Text data; // the bytes exactly as stored (a REG_SZ counts its NUL)
};

struct Key {
    using allocator_type = std::pmr::polymorphic_allocator<>;
    // A root (of the process's heap unless alloc names another resource).
    explicit Key(std::string_view keyName = "", const allocator_type &alloc = {})
        : name(keyName, alloc), subkeys(alloc), values(alloc) {}

    Text name;
    NamedList<Key> subkeys;
    NamedList<Value> values;

    Key *Subkey(std::string_view subName) const { return subkeys.Find(subName); }
    // Returns the subkey of that name, created when missing.
    Key &AddSubkey(std::string_view subName);
    bool DeleteSubkey(std::string_view subName) { return subkeys.Remove(subName); }

    const Value *FindValue(std::string_view valueName) const { return values.Find(valueName); }
    // Replaces the data of an existing value in place, so it keeps its position.
    void SetValue(std::string_view valueName, std::uint32_t type, std::string_view data);
    bool DeleteValue(std::string_view valueName) { return values.Remove(valueName); }
};

// Same names (exact case), same order, same values: what a round trip keeps.
bool operator==(const Key &a, const Key &b);

// Windows' limit on the length of a key name: the registry calls' name
// buffers hold no more, so a longer name would hide from every enumeration
// the keys that follow it.
constexpr std::size_t kMaxKeyName = 255;

// A key name the file can hold: 1 to kMaxKeyName characters, no '\', no
// NUL, CR or LF.
bool ValidKeyName(std::string_view name);

// Windows' limit on the depth of keys; it also keeps a hostile file from
// nesting keys deep enough to exhaust the stack of the recursive walks.
constexpr int kMaxKeyDepth = 512;

// Calls each(name) for each key name of path; false when a name is invalid
// or there are more than kMaxKeyDepth. One leading '\' and any trailing
// ones are accepted; "" names no key.
template <class F> bool ForEachPathName(std::string_view path, F each) {
    if (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    for (int depth = 1; !path.empty(); ++depth) {
        std::size_t cut = path.find('\\');
        std::string_view keyName = path.substr(0, cut);
        if (depth > kMaxKeyDepth || !ValidKeyName(keyName) || !each(keyName))
            return false;
        path.remove_prefix(cut == std::string_view::npos ? path.size() : cut + 1);
    }
    return true;
}

// Every name of path valid (see ForEachPathName).
bool ValidPath(std::string_view path);

// The key at path under from, or null when it is missing or path is invalid.
const Key *FindKey(const Key &from, std::string_view path);
Key *FindKey(Key &from, std::string_view path);
// The key at path under from, created with any missing parents; null when
// path is invalid.
Key *CreateKey(Key &from, std::string_view path);
// The path of the key at path with each name in its stored case (so a
// handle or an export names it as created); false when missing or invalid.
bool StoredPath(const Key &from, std::string_view path, std::string *stored);

} // namespace sim::reg
