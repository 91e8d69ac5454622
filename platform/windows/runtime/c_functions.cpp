// The C library's functions the programs call, under their C names, on the
// plain code beside them (which the unit tests run on Linux).
#include "platform/windows/runtime/sort.h"
#include "platform/windows/runtime/unsigned_text.h"

#include <cstdlib>

extern "C" {

unsigned long strtoul(const char *text, char **end, int base) {
    return vp::winrt::ParseUnsigned(text, end, base);
}

void qsort(void *base, std::size_t count, std::size_t size,
           int (*compare)(const void *, const void *)) {
    vp::winrt::SortElements(base, count, size, compare);
}

void *bsearch(const void *key, const void *base, std::size_t count, std::size_t size,
              int (*compare)(const void *, const void *)) {
    return vp::winrt::FindElement(key, base, count, size, compare);
}

} // extern "C"
