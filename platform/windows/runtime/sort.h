// qsort and bsearch of the C runtime: arrays of any element size, ordered by
// a comparison that answers below, at or above zero.
#pragma once

#include <cstddef>

namespace vp::winrt {

using Comparison = int (*)(const void *, const void *);

// A Shell sort: a few lines, and fast enough for the hundreds of elements
// the programs sort. Not stable, as qsort need not be.
void SortElements(void *base, std::size_t count, std::size_t size, Comparison compare);

// An element comparing equal to key in a sorted array, or null.
void *FindElement(const void *key, const void *base, std::size_t count, std::size_t size,
                  Comparison compare);

} // namespace vp::winrt
