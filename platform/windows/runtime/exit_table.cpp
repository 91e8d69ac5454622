#include "platform/windows/runtime/exit_table.h"

#include <windows.h>

#include <cstdlib>

namespace {

// One entry a registration, newest first; on the heap, so there is no limit
// to the static objects.
struct ExitEntry {
    void (*function)();
    ExitEntry *next;
};

ExitEntry *g_exitTable = nullptr;

// msvcrt's status for an abort.
constexpr UINT kAbortStatus = 3;

} // namespace

namespace vp::winrt {

void RunExitTable() {
    // A function may register another: it runs next.
    while (ExitEntry *entry = g_exitTable) {
        g_exitTable = entry->next;
        entry->function();
        std::free(entry);
    }
}

} // namespace vp::winrt

extern "C" {

int atexit(void (*function)()) {
    auto *entry = static_cast<ExitEntry *>(std::malloc(sizeof(ExitEntry)));
    if (!entry)
        return -1;
    *entry = {function, g_exitTable};
    g_exitTable = entry;
    return 0;
}

void exit(int status) {
    vp::winrt::RunExitTable();
    ExitProcess(static_cast<UINT>(status));
}

// Nothing is run: the program is in no state to.
void abort() {
    ExitProcess(kAbortStatus);
}

} // extern "C"
