// Memory taken from the system in runs of pages made of 2 MB pages where the
// system has transparent huge pages (the usual "madvise" setting included):
// a fresh process building a big registry tree out of small allocations on
// the heap otherwise spends two thirds of the load in one page fault per
// 4 KB. Unused parts of a run cost address space only.
#pragma once

#include <cstddef>
#include <memory_resource>

namespace sim {

// Each run is mapped on its own and unmapped when given back, so memory
// taken from one object may outlive every other.
class PageMemory : public std::pmr::memory_resource {
  public:
    // The bytes handed out so far, whatever has been given back since.
    std::size_t Taken() const { return m_taken; }

  private:
    void *do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void *memory, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource &other) const noexcept override {
        return this == &other;
    }

    std::size_t m_taken = 0;
};

} // namespace sim
