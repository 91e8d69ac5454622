#include "platform/sim/kernel/kernel_handles.h"

#include <mutex>
#include <unordered_map>

namespace sim {

namespace {

struct Table {
    std::mutex mutex;
    std::uintptr_t next = 0x100;
    std::unordered_map<std::uintptr_t, std::shared_ptr<HandleObject>> objects;
};

// Never destroyed: a program's handles may be looked at while it exits.
Table &TheTable() {
    static auto *table = new Table;
    return *table;
}

} // namespace

HANDLE AddHandle(std::shared_ptr<HandleObject> object) {
    Table &t = TheTable();
    std::lock_guard lock(t.mutex);
    std::uintptr_t value = t.next;
    t.next += 4;
    t.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<HandleObject> FindHandle(HANDLE handle) {
    Table &t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE handle) {
    Table &t = TheTable();
    std::lock_guard lock(t.mutex);
    return t.objects.erase(reinterpret_cast<std::uintptr_t>(handle)) > 0;
}

} // namespace sim

BOOL CloseHandle(HANDLE handle) {
    if (sim::RemoveHandle(handle))
        return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
