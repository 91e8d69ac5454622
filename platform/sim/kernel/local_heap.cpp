// The local heap and the process heap: fixed blocks from the C heap. A fixed
// block's handle is its address, as on Windows.
#include "platform/api.h"

#include <cstdlib>

namespace {
// Any distinct non-null value serves as the one process heap.
int processHeap;

void *Allocate(SIZE_T bytes, bool zero) {
    if (bytes == 0)
        bytes = 1; // Windows hands out a valid block for 0 bytes
    void *block = zero ? std::calloc(1, bytes) : std::malloc(bytes);
    if (!block)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return block;
}
} // namespace

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
    return Allocate(bytes, (flags & LMEM_ZEROINIT) != 0);
}

HLOCAL LocalHandle(LPCVOID memory) {
    return const_cast<void *>(memory);
}

HLOCAL LocalFree(HLOCAL memory) {
    std::free(memory);
    return nullptr;
}

HANDLE GetProcessHeap() {
    return &processHeap;
}

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    if (heap != GetProcessHeap()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return Allocate(bytes, (flags & HEAP_ZERO_MEMORY) != 0);
}

BOOL HeapFree(HANDLE heap, DWORD, LPVOID memory) {
    if (heap != GetProcessHeap()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::free(memory);
    return TRUE;
}
