// Formatting into fixed buffers: what does not fit is cut, the text always
// ends, and the result tells whether it all fitted; every directive the
// formatter knows gives what the C library's snprintf gives.
#include "platform/framework/format_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

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

// The formatter's text and the C library's for the same directive.
template <typename... Arguments>
void ExpectAsTheLibrary(const char *format, Arguments... arguments) {
    char ours[64];
    char library[64];
    EXPECT_TRUE(vp::FormatText(ours, sizeof ours, format, arguments...));
    std::snprintf(library, sizeof library, format, arguments...);
    EXPECT_STREQ(ours, library) << format;
}

TEST(FormatText, EveryDirectiveItKnowsFormatsAsTheCLibrary) {
    ExpectAsTheLibrary("%d|%i|%d|%5d|%-5d|%05d|%-05d|", 0, 42, -42, -42, -42, -42, 7);
    ExpectAsTheLibrary("%d %d", 2147483647, -2147483647 - 1);
    ExpectAsTheLibrary("%u %u %lu %ld %ld", 0u, 4294967295u, 4294967295ul, -70000l, 70000l);
    ExpectAsTheLibrary("%zu %zu", std::size_t{0}, static_cast<std::size_t>(-1));
    ExpectAsTheLibrary("%x %X %08X %x", 0xbeefu, 0xbeefu, 0x1Fu, 0u);
    ExpectAsTheLibrary("%.3d|%.0d|%5.3d|%05.3d|%.3u", 7, 0, -7, 7, 12345u);
    ExpectAsTheLibrary("%04u-%02u-%02u %02u:%02u", 2026u, 12u, 10u, 9u, 5u);
    ExpectAsTheLibrary("%c%c|%3c|%-3c|", 'A', ':', 'x', 'y');
    ExpectAsTheLibrary("%s|%6s|%-6s|%.2s|%6.2s|%.0s|", "abc", "abc", "abc", "abc", "abc", "abc");
    ExpectAsTheLibrary("%*d|%-*d|%*d|%.*s|%.*s|", 4, 1, 4, 2, -4, 3, 2, "abc", -1, "abc");
    ExpectAsTheLibrary("100%% %s", "done");
}

TEST(FormatText, ADirectiveItDoesNotKnowEndsTheTextThere) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_FALSE(vp::FormatText(buffer, sizeof buffer, "a%db%pc", 1, static_cast<void *>(buffer)));
    EXPECT_STREQ(buffer, "a1b");
    const std::string unfinished = "x%";
    EXPECT_FALSE(vp::FormatText(buffer, sizeof buffer, unfinished.c_str()));
    EXPECT_STREQ(buffer, "x");
}

} // namespace
