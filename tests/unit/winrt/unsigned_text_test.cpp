// strtoul as Windows' C runtime has it (32 bits): signs, bases and their
// prefixes, overflow, and where the reading stops.
#include "platform/windows/runtime/unsigned_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(UnsignedText, ReadsAsStrtoulWithThirtyTwoBits) {
    const struct {
        const char *text;
        int base;
        std::uint32_t value;
        std::size_t read; // characters up to where it stopped
    } cases[] = {
        {"42", 10, 42, 2},
        {" \t\n+17x", 10, 17, 6},
        {"-1", 10, 0xFFFFFFFFu, 2},
        {"-0", 10, 0, 2},
        {"4294967295", 10, 0xFFFFFFFFu, 10},
        {"4294967296", 10, 0xFFFFFFFFu, 10},
        {"-4294967296", 10, 0xFFFFFFFFu, 11}, // too big before the sign counts
        {"99999999999999999999z", 10, 0xFFFFFFFFu, 20},
        {"0x1f", 16, 31, 4},
        {"0X1F", 0, 31, 4},
        {"1f", 16, 31, 2},
        {"017", 0, 15, 3},
        {"09", 0, 0, 1},
        {"0x", 16, 0, 1}, // no digit after the prefix: the 0 alone
        {"0xg", 0, 0, 1},
        {"zz", 36, 35 * 36 + 35, 2},
        {"102", 2, 2, 2},
        // Nothing read: the end is the text itself.
        {"abc", 10, 0, 0},
        {"", 10, 0, 0},
        {"  -", 10, 0, 0},
        {"12", 1, 0, 0},
        {"12", 37, 0, 0},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(std::string(each.text) + " base " + std::to_string(each.base));
        char *end = nullptr;
        EXPECT_EQ(vp::winrt::ParseUnsigned(each.text, &end, each.base), each.value);
        EXPECT_EQ(static_cast<std::size_t>(end - each.text), each.read);
        EXPECT_EQ(vp::winrt::ParseUnsigned(each.text, nullptr, each.base), each.value);
    }
}

} // namespace
