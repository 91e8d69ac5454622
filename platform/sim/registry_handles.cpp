#include "platform/sim/registry_handles.h"

#include <cstdint>
#include <unordered_map>

namespace sim::reg {

namespace {

struct Table {
    std::unordered_map<std::uintptr_t, std::string> paths;
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
    table.paths.emplace(id, std::move(path));
    return reinterpret_cast<HKEY>(id);
}

const std::string *HandlePath(HKEY key) {
    static const std::string root;
    if (key == HKEY_LOCAL_MACHINE)
        return &root;
    auto &paths = Handles().paths;
    auto it = paths.find(IdOf(key));
    return it == paths.end() ? nullptr : &it->second;
}

bool ReleaseHandle(HKEY key) {
    return key == HKEY_LOCAL_MACHINE || Handles().paths.erase(IdOf(key)) == 1;
}

} // namespace sim::reg
