#include "platform/sim/registry/key_handles.h"

#include <cstdint>
#include <unordered_map>

namespace sim::reg {

namespace {

struct Table {
    std::unordered_map<std::uintptr_t, OpenKey> keys;
    // Far from the predefined roots (0x80000000 up) and from null.
    std::uintptr_t next = 0x1000;
};

Table &Handles() {
    static Table table;
    return table;
}

std::uintptr_t IdOf(HKEY key) {
    return reinterpret_cast<std::uintptr_t>(key);
}

} // namespace

HKEY OpenHandle(std::string path) {
    Table &table = Handles();
    std::uintptr_t id = table.next;
    table.next += 4;
    table.keys.emplace(id, OpenKey{std::move(path)});
    return reinterpret_cast<HKEY>(id);
}

OpenKey *FindHandle(HKEY key) {
    static OpenKey root;
    if (key == HKEY_LOCAL_MACHINE)
        return &root;
    auto &keys = Handles().keys;
    auto it = keys.find(IdOf(key));
    return it == keys.end() ? nullptr : &it->second;
}

bool ReleaseHandle(HKEY key) {
    return key == HKEY_LOCAL_MACHINE || Handles().keys.erase(IdOf(key)) == 1;
}

} // namespace sim::reg
