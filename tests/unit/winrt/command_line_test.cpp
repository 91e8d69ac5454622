// Command lines split as the Microsoft C runtime splits them: what the
// programs and scripts that start ours quote for, and the program's name
// read without escapes.
#include "platform/windows/runtime/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Both passes: the count, then the arguments written where it said.
std::vector<std::string> Split(const char *line) {
    const vp::winrt::ArgumentSizes sizes = vp::winrt::SplitCommandLine(line, nullptr, nullptr);
    std::vector<char *> argv(sizes.count + 1, nullptr);
    std::string text(sizes.chars + 1, '#');
    const vp::winrt::ArgumentSizes written =
        vp::winrt::SplitCommandLine(line, argv.data(), text.data());
    EXPECT_EQ(written.count, sizes.count);
    EXPECT_EQ(written.chars, sizes.chars);
    EXPECT_EQ(text.back(), '#'); // nothing past what the count asked for
    EXPECT_EQ(argv[sizes.count], nullptr);
    return {argv.begin(), argv.begin() + static_cast<std::ptrdiff_t>(sizes.count)};
}

using Words = std::vector<std::string>;

TEST(CommandLine, TheProgramsNameEndsAtItsQuoteOrItsFirstBlank) {
    EXPECT_EQ(Split(R"("C:\Program Files\VELTRIN\veltrin.exe" /script a.txt)"),
              (Words{R"(C:\Program Files\VELTRIN\veltrin.exe)", "/script", "a.txt"}));
    // Started through a path with a blank, unquoted: the tail is a word.
    EXPECT_EQ(Split(R"(C:\Program Files\VELTRIN\veltrin.exe /undo)"),
              (Words{R"(C:\Program)", R"(Files\VELTRIN\veltrin.exe)", "/undo"}));
    // No escapes in the name: its backslash before the quote is the folder's.
    EXPECT_EQ(Split(R"("C:\VELTRIN\"x y)"), (Words{R"(C:\VELTRIN\)", "x", "y"}));
    EXPECT_EQ(Split(R"("C:\unclosed)"), (Words{R"(C:\unclosed)"}));
    EXPECT_EQ(Split(""), (Words{""}));
    EXPECT_EQ(Split(R"("" a)"), (Words{"", "a"}));
}

TEST(CommandLine, BlanksAndTabsSeparateQuotesGroupAndBackslashesEscapeOnlyQuotes) {
    const struct {
        const char *line;
        Words arguments;
    } cases[] = {
        {"p\ta \t b  ", {"a", "b"}},
        {R"(p "a b" c)", {"a b", "c"}},
        {R"(p x"a b"y)", {"xa by"}},
        {R"(p "")", {""}},
        {R"(p "open)", {"open"}},
        // Backslashes stay unless a quote follows them.
        {R"(p C:\dir\ a\\b)", {R"(C:\dir\)", R"(a\\b)"}},
        // 2n before a quote: n, and the quote groups; 2n+1: n and a quote.
        {R"(p "C:\dir\\" b)", {R"(C:\dir\)", "b"}},
        {R"(p a\"b)", {R"(a"b)"}},
        {R"(p a\\\"b)", {R"(a\"b)"}},
        {R"(p "a\\\" b")", {R"(a\" b)"}},
        // "" inside quotes: one quote, and the quotes end there.
        {R"(p "a""b c")", {R"(a"b)", "c"}},
        {R"(p "a""")", {R"(a")"}},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(each.line);
        Words expected = each.arguments;
        expected.insert(expected.begin(), "p");
        EXPECT_EQ(Split(each.line), expected);
    }
}

} // namespace
