// Formatting into fixed buffers: what does not fit is cut, the text always
// ends, and the result tells whether it all fitted.
#include "platform/format_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FormatText, CutsWhatDoesNotFitAndAlwaysEndsTheText) {
    const struct {
        std::size_t size;
        const char *text;
        bool fitted;
    } cases[] = {
        {16, "192.168.0.254", true},
        {14, "192.168.0.254", true}, // exactly: 13 characters and the NUL
        {13, "192.168.0.25", false},
        {1, "", false},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(each.size);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(vp::FormatText(buffer, each.size, "192.168.0.%d", 254), each.fitted);
        EXPECT_STREQ(buffer, each.text);
        // Nothing written past the size given.
        for (std::size_t i = each.size; i < sizeof buffer; ++i)
            EXPECT_EQ(buffer[i], '#') << i;
    }
}

TEST(FormatText, SizeZeroLeavesTheBufferAlone) {
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_FALSE(vp::FormatText(buffer, 0, "%s", "x"));
    EXPECT_EQ(std::string(buffer, 4), "####");
}

TEST(FormatText, PrecisionsBoundTheirArguments) {
    char buffer[32];
    const char driver[] = {'N', 'e', 't', 'T', 'r', 'a', 'n', 's'}; // no NUL
    EXPECT_TRUE(vp::FormatText(buffer, sizeof buffer, "MSTCP\\%.5s|%.*s", "0000123", 3, driver));
    EXPECT_STREQ(buffer, "MSTCP\\00001|Net");
}

} // namespace
