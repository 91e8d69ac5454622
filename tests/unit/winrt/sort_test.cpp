// qsort and bsearch over elements of any size: the order of std::sort,
// every element found, nothing found that is not there.
#include "platform/windows/runtime/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

// Three bytes, compared by the middle one: an element size that is no word.
using Element = std::array<unsigned char, 3>;

int ByMiddle(const void *a, const void *b) {
    return static_cast<const Element *>(a)->at(1) - static_cast<const Element *>(b)->at(1);
}

TEST(Sort, OrdersAsStdSortForEveryCountAndFindsWhatIsThere) {
    std::mt19937 random(7);
    for (std::size_t count : {0u, 1u, 2u, 3u, 13u, 14u, 200u}) {
        SCOPED_TRACE(count);
        std::vector<Element> elements(count);
        for (Element &each : elements)
            each = {static_cast<unsigned char>(random()), static_cast<unsigned char>(random() % 64),
                    0x5A};
        std::vector<unsigned char> expected;
        for (const Element &each : elements)
            expected.push_back(each[1]);
        std::sort(expected.begin(), expected.end());

        vp::winrt::SortElements(elements.data(), count, sizeof(Element), ByMiddle);
        std::vector<unsigned char> sorted;
        for (const Element &each : elements) {
            sorted.push_back(each[1]);
            EXPECT_EQ(each[2], 0x5A); // elements moved whole
        }
        EXPECT_EQ(sorted, expected);

        for (unsigned key = 0; key < 64; ++key) {
            const Element probe = {0, static_cast<unsigned char>(key), 0};
            const auto *found = static_cast<const Element *>(vp::winrt::FindElement(
                &probe, elements.data(), count, sizeof(Element), ByMiddle));
            const bool there = std::binary_search(expected.begin(), expected.end(), key);
            ASSERT_EQ(found != nullptr, there) << key;
            if (found) {
                EXPECT_EQ((*found)[1], key);
            }
        }
    }
}

} // namespace
