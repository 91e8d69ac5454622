#include "platform/windows/runtime/sort.h"

namespace vp::winrt {

namespace {

void SwapBytes(char *a, char *b, std::size_t size) {
    for (; size > 0; --size, ++a, ++b) {
        const char held = *a;
        *a = *b;
        *b = held;
    }
}

} // namespace

void SortElements(void *base, std::size_t count, std::size_t size, Comparison compare) {
    char *const elements = static_cast<char *>(base);
    // Gaps 1, 4, 13, 40, ... below a third of the count.
    std::size_t gap = 1;
    while (gap < count / 3)
        gap = gap * 3 + 1;
    for (; gap > 0; gap /= 3)
        for (std::size_t i = gap; i < count; ++i)
            for (std::size_t j = i;
                 j >= gap && compare(elements + (j - gap) * size, elements + j * size) > 0;
                 j -= gap)
                SwapBytes(elements + (j - gap) * size, elements + j * size, size);
}

void *FindElement(const void *key, const void *base, std::size_t count, std::size_t size,
                  Comparison compare) {
    const char *low = static_cast<const char *>(base);
    while (count > 0) {
        const char *middle = low + (count / 2) * size;
        const int order = compare(key, middle);
        if (order == 0)
            return const_cast<char *>(middle);
        if (order > 0) {
            low = middle + size;
            count -= count / 2 + 1;
        } else {
            count /= 2;
        }
    }
    return nullptr;
}

} // namespace vp::winrt
