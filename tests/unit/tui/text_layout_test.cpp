// Wrapping, mnemonics and narrowed blanks: the texts of the dialogs must all
// show, in order, inside the room they are given.
#include "platform/tui/text_layout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines Words(const std::string &text) {
    Lines words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

struct WrapCase {
    const char *text;
    int width;
    Lines lines;
};

TEST(WrapText, BreaksAtBlanksInsideWordsWhenNeededAndAtNewlines) {
    const WrapCase cases[] = {
        {"short", 10, {"short"}},
        {"one two three", 7, {"one two", "three"}},
        {"one two three", 8, {"one two", "three"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"Drive.  Click OK", 6, {"Drive.", "Click", "OK"}}, // both blanks go at the break
        {"   indented first", 20, {"   indented first"}},
        {"trailing  ", 4, {"trai", "ling"}},
        {"a\r\nb\n\nc", 5, {"a", "b", "", "c"}},
        {"", 5, {""}},
    };
    for (const WrapCase &c : cases)
        EXPECT_EQ(tui::WrapText(c.text, c.width), c.lines) << '"' << c.text << "\" at " << c.width;
}

TEST(WrapText, LosesNoWordOfALongText) {
    const std::string text =
        "Please make sure your Quorvane Phoneline Network Card Installation CD-ROM is properly "
        "inserted in your CD-ROM Drive.  Click OK to continue or Cancel to abort.";
    const Lines words = Words(text);
    for (int width = 12; width <= 70; ++width) { // from the longest word up
        Lines wrapped;
        for (const std::string &line : tui::WrapText(text, width)) {
            EXPECT_LE(static_cast<int>(line.size()), width);
            for (const std::string &word : Words(line))
                wrapped.push_back(word);
        }
        EXPECT_EQ(wrapped, words) << "width " << width;
    }
}

TEST(ParseMnemonic, AmpersandMarksTheKeyAndDoubledShowsItself) {
    struct Case {
        const char *text;
        bool prefix;
        const char *shown;
        int underline;
        char key;
    };
    const Case cases[] = {
        {"&About velpasto...", true, "About velpasto...", 0, 'a'},
        {"Mi&nimize", true, "Minimize", 2, 'n'},
        {"Save && Quit", true, "Save & Quit", -1, 0},
        {"end&", true, "end", -1, 0},
        {"&Yes", false, "&Yes", -1, 0},
        {"&One &Two", true, "One Two", 0, 'o'},
    };
    for (const Case &c : cases) {
        const tui::Label label = tui::ParseMnemonic(c.text, c.prefix);
        EXPECT_EQ(label.text, c.shown) << c.text;
        EXPECT_EQ(label.underline, c.underline) << c.text;
        EXPECT_EQ(label.key, c.key) << c.text;
    }
}

TEST(FitBlanks, NarrowsBlankRunsSoTheGroupLabelsStayOverTheirLists) {
    // The drive group's caption: 83 characters for 52 cells. The lists it
    // labels sit at columns 1..22 and 30..50 of the caption's room.
    const std::string caption = "          Local Drives                                    "
                                "Shared Drives            ";
    const std::string fitted = tui::FitBlanks(caption, 52);
    ASSERT_EQ(fitted.size(), 52u);
    const auto local = static_cast<int>(fitted.find("Local Drives"));
    const auto shared = static_cast<int>(fitted.find("Shared Drives"));
    ASSERT_GE(local, 0);
    ASSERT_GE(shared, 0);
    EXPECT_NEAR(local + 6, (1 + 22) / 2, 3);
    EXPECT_NEAR(shared + 6, (30 + 50) / 2, 3);
}

TEST(FitBlanks, KeepsWhatFitsAndNeverJoinsWords) {
    EXPECT_EQ(tui::FitBlanks("fits as is", 10), "fits as is");
    EXPECT_EQ(tui::FitBlanks("a          b", 3), "a b");
    EXPECT_EQ(tui::FitBlanks("wordy words", 5), "wordy"); // cut only when words alone overflow
}

} // namespace
