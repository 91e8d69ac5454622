#include "platform/sim/host/page_memory.h"

#include <new>

#include <sys/mman.h>
#include <unistd.h>

namespace sim {

namespace {

std::size_t WholePages(std::size_t bytes) {
    static const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

} // namespace

void *PageMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
    std::size_t size = WholePages(bytes);
    void *memory = alignment > WholePages(1) ? MAP_FAILED
                                             : mmap(nullptr, size, PROT_READ | PROT_WRITE,
                                                    MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Only a hint: without transparent huge pages the run is faulted in a
    // page at a time, as heap memory is.
    madvise(memory, size, MADV_HUGEPAGE);
    m_taken += bytes;
    return memory;
}

void PageMemory::do_deallocate(void *memory, std::size_t bytes, std::size_t) {
    munmap(memory, WholePages(bytes));
}

} // namespace sim
