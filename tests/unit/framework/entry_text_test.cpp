// List entries named by their text in a response file, quoted as the
// transcript quotes, and comments after an action: how a recording made on
// one PC reads on another.
#include "platform/quoted_text.h"
#include "platform/script/response_file.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using script::Action;

// Every text comes back from its quoted form, whatever bytes it holds.
TEST(QuotedText, ReadsBackEveryTextItWrites) {
    for (const std::string &text :
         {std::string(), std::string("Inkjet (Color)"), std::string("a \"b\" \\c\\"),
          std::string("tab\tcr\rlf\n"), std::string("\x01\x1f\x7f", 3), std::string("\0x", 2),
          std::string("\xe9t\xe9 # not a comment")}) {
        const std::string quoted = vp::QuotedText(text) + " tail";
        std::string_view rest = quoted;
        std::string read;
        ASSERT_TRUE(vp::ReadQuotedText(&rest, &read)) << quoted;
        EXPECT_EQ(read, text) << quoted;
        EXPECT_EQ(rest, " tail");
    }
}

TEST(QuotedText, RefusesWhatItNeverWritesAndLeavesTheRestAlone) {
    for (const char *wrong : {"", "no quote", "\"open", "\"ends in \\\"", "\"\\q\"", "\"\\x4\"",
                              "\"\\xg0\"", "\"\\", "\"a\\\""}) {
        std::string_view rest = wrong;
        std::string read = "unchanged";
        EXPECT_FALSE(vp::ReadQuotedText(&rest, &read)) << wrong;
        EXPECT_EQ(rest, wrong);
        EXPECT_EQ(read, "unchanged");
    }
    // Hex digits in either case, as a hand-written file may have them.
    std::string_view rest = "\"\\x1B\\x1b\"";
    std::string read;
    ASSERT_TRUE(vp::ReadQuotedText(&rest, &read));
    EXPECT_EQ(read, "\x1b\x1b");
}

TEST(ResponseFile, TakesAnEntryByItsTextAndCommentsAfterAnAction) {
    const struct {
        const char *line;
        Action::Verb verb;
        int id;
        std::optional<std::string> entry;
        int index;
        const char *text; // the action without its comment
    } cases[] = {
        {"select 1011 \"[-E-DRIVE]\"", Action::Verb::Select, 1011, "[-E-DRIVE]", 0,
         "select 1011 \"[-E-DRIVE]\""},
        {"dblclick 1013 \"Inkjet (Color)\"", Action::Verb::DoubleClick, 1013, "Inkjet (Color)", 0,
         "dblclick 1013 \"Inkjet (Color)\""},
        {"select 1013 \"Say \\\"hi\\\" \\\\ # no comment\"", Action::Verb::Select, 1013,
         "Say \"hi\" \\ # no comment", 0, "select 1013 \"Say \\\"hi\\\" \\\\ # no comment\""},
        {"select\t1013\t\"\"", Action::Verb::Select, 1013, "", 0, "select\t1013\t\"\""},
        {"dblclick 1011 2   # [-E-DRIVE]", Action::Verb::DoubleClick, 1011, std::nullopt, 2,
         "dblclick 1011 2"},
        {"click 1030   # Gateway/Server", Action::Verb::Click, 1030, std::nullopt, 0, "click 1030"},
        {"click 1030\t#", Action::Verb::Click, 1030, std::nullopt, 0, "click 1030"},
        {"select 1011 \"[-A-DRIVE]\" # \"unclosed", Action::Verb::Select, 1011, "[-A-DRIVE]", 0,
         "select 1011 \"[-A-DRIVE]\""},
    };
    for (const auto &c : cases) {
        script::ResponseFile file;
        std::string error;
        ASSERT_TRUE(script::ParseResponseFile(c.line, "run.txt", &file, &error))
            << c.line << ": " << error;
        ASSERT_EQ(file.actions.size(), 1u) << c.line;
        const Action &a = file.actions[0];
        EXPECT_EQ(a.verb, c.verb) << c.line;
        EXPECT_EQ(a.id, c.id) << c.line;
        EXPECT_EQ(a.entry, c.entry) << c.line;
        EXPECT_EQ(a.index, c.index) << c.line;
        EXPECT_EQ(a.text, c.text) << c.line;
    }
}

TEST(ResponseFile, NamesWhatIsWrongWithAnEntrysText) {
    const struct {
        const char *text;
        const char *error;
    } cases[] = {
        {"select 1011 \"[-E-DRIVE]",
         "run.txt:1: a text in quotes needs its closing quote and takes only the escapes \\\\, "
         "\\\", \\n, \\r, \\t and \\xNN"},
        {"dblclick 1013 \"\\q\"",
         "run.txt:1: a text in quotes needs its closing quote and takes only the escapes \\\\, "
         "\\\", \\n, \\r, \\t and \\xNN"},
        {"select 1011 \"[-E-DRIVE]\"x",
         "run.txt:1: after a text in quotes comes a blank or the end of the line"},
        {"select 1011 [-E-DRIVE]",
         "run.txt:1: select takes a list box id and an entry's number or its text in quotes"},
        {"select \"1011\" 0",
         "run.txt:1: select takes a list box id and an entry's number or its text in quotes"},
        {"select 1011 \"Inkjet\" \"(Color)\"", "run.txt:1: select takes 2 arguments"},
        // A '#' inside a word is no comment: the word is wrong.
        {"click 1030#Gateway", "run.txt:1: click takes a control id"},
    };
    for (const auto &c : cases) {
        script::ResponseFile file;
        std::string error;
        EXPECT_FALSE(script::ParseResponseFile(c.text, "run.txt", &file, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

} // namespace
