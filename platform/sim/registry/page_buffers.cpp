#include "platform/sim/registry/page_buffers.h"

#include "platform/sim/host/page_memory.h"

#include <cstring>

namespace sim::reg {

TextBuffer::TextBuffer(std::size_t capacity)
    : m_capacity(capacity), m_data(static_cast<char *>(Pages().allocate(capacity))) {}

TextBuffer::~TextBuffer() {
    Pages().deallocate(m_data, m_capacity);
}

void TextBuffer::Grow(std::size_t kept) {
    auto *bigger = static_cast<char *>(Pages().allocate(m_capacity * 2));
    std::memcpy(bigger, m_data, kept);
    Pages().deallocate(m_data, m_capacity);
    m_data = bigger;
    m_capacity *= 2;
}

void *CountedPages::do_allocate(std::size_t bytes, std::size_t alignment) {
    m_taken += bytes;
    return Pages().allocate(bytes, alignment);
}

void CountedPages::do_deallocate(void *memory, std::size_t bytes, std::size_t alignment) {
    Pages().deallocate(memory, bytes, alignment);
}

} // namespace sim::reg
