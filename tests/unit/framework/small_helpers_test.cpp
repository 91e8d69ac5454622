// Decimal texts read as std::to_string writes them, at the ends of each
// range too; a FunctionRef calls the very object it was given.
#include "platform/framework/decimal_text.h"
#include "platform/function_ref.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>

namespace {

TEST(DecimalText, MatchesTheLibraryAtTheEndsOfEachRange) {
    EXPECT_EQ(vp::DecimalText(0), "0");
    EXPECT_EQ(vp::DecimalText(-7), "-7");
    EXPECT_EQ(vp::DecimalText(LONG_MIN), std::to_string(LONG_MIN));
    EXPECT_EQ(vp::DecimalText(LONG_MAX), std::to_string(LONG_MAX));
    EXPECT_EQ(vp::DecimalText(ULONG_MAX), std::to_string(ULONG_MAX));
    EXPECT_EQ(vp::DecimalText(4294967295u), "4294967295"); // a DWORD error code stays unsigned
    EXPECT_EQ(vp::DecimalText(std::size_t{1000}), "1000");
}

int Twice(vp::FunctionRef<int(int)> call, int value) {
    return call(call(value));
}

TEST(FunctionRef, CallsTheObjectItWasGivenWithoutCopyingIt) {
    int calls = 0;
    auto add = [&calls](int value) {
        ++calls;
        return value + 10;
    };
    EXPECT_EQ(Twice(add, 1), 21);
    EXPECT_EQ(calls, 2); // the state seen is the caller's own
}

} // namespace
