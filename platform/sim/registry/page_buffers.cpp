#include "platform/sim/registry/page_buffers.h"

#include "platform/sim/host/page_memory.h"

#include <cstring>

namespace sim::reg {

TextBuffer::TextBuffer(std::size_t capacity)
    : capacity_(capacity), data_(static_cast<char *>(Pages().allocate(capacity))) {}

TextBuffer::~TextBuffer() {
    Pages().deallocate(data_, capacity_);
}

void TextBuffer::Grow(std::size_t kept) {
    auto *bigger = static_cast<char *>(Pages().allocate(capacity_ * 2));
    std::memcpy(bigger, data_, kept);
    Pages().deallocate(data_, capacity_);
    data_ = bigger;
    capacity_ *= 2;
}

void *CountedPages::do_allocate(std::size_t bytes, std::size_t alignment) {
    taken_ += bytes;
    return Pages().allocate(bytes, alignment);
}

void CountedPages::do_deallocate(void *memory, std::size_t bytes, std::size_t alignment) {
    Pages().deallocate(memory, bytes, alignment);
}

} // namespace sim::reg
