// The C library's heap on the process heap of KERNEL32, which every Windows
// has.
#include <windows.h>

#include <cstdlib>

extern "C" {

void *malloc(std::size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void free(void *memory) {
    if (memory)
        HeapFree(GetProcessHeap(), 0, memory);
}

} // extern "C"
