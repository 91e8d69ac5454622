// The memory the registry file reads into and builds its tree in: pages of
// its own (see PageMemory), given back as a whole.
#pragma once

#include <cstddef>
#include <memory_resource>

namespace sim::reg {

// A file's text in pages of its own, given back once the text is parsed.
// Not cleared first: a registry can be megabytes.
class TextBuffer {
  public:
    explicit TextBuffer(std::size_t capacity);
    ~TextBuffer();
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;

    char *Data() const { return m_data; }
    std::size_t Capacity() const { return m_capacity; }
    // Twice the room, keeping the first `kept` bytes.
    void Grow(std::size_t kept);

  private:
    std::size_t m_capacity;
    char *m_data;
};

// Pages, counting what is taken.
class CountedPages : public std::pmr::memory_resource {
  public:
    std::size_t Taken() const { return m_taken; }

  private:
    void *do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void *memory, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource &other) const noexcept override {
        return this == &other;
    }

    std::size_t m_taken = 0;
};

} // namespace sim::reg
