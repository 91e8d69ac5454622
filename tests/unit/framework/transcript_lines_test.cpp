// The transcript's lines and the button sets of message box styles, which
// every build shares: a line written differently would break every
// comparison of a Windows run with a Linux one.
#include "platform/framework/message_box_buttons.h"
#include "platform/framework/transcript_lines.h"

#include <gtest/gtest.h>

namespace {

using Buttons = std::vector<int>;

TEST(MessageBoxButtons, EachStyleShowsItsButtonsLeftToRight) {
    EXPECT_EQ(ui::MessageBoxButtons(MB_OK), (Buttons{IDOK}));
    EXPECT_EQ(ui::MessageBoxButtons(MB_OKCANCEL | MB_ICONEXCLAMATION), (Buttons{IDOK, IDCANCEL}));
    EXPECT_EQ(ui::MessageBoxButtons(2), (Buttons{IDABORT, IDRETRY, IDIGNORE}));
    EXPECT_EQ(ui::MessageBoxButtons(3), (Buttons{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(ui::MessageBoxButtons(MB_YESNO | MB_ICONHAND), (Buttons{IDYES, IDNO}));
    EXPECT_EQ(ui::MessageBoxButtons(5), (Buttons{IDRETRY, IDCANCEL}));
    // Sets this program never uses show OK, as the unknown ones always did.
    EXPECT_EQ(ui::MessageBoxButtons(6), (Buttons{IDOK}));
    EXPECT_EQ(ui::MessageBoxButtons(MB_TYPEMASK), (Buttons{IDOK}));
}

TEST(TranscriptLines, EachEventHasItsOneLine) {
    namespace t = ui::transcript;
    EXPECT_EQ(t::MessageBoxLine("Setup", "Line one\nline \"two\"", MB_YESNO, 132),
              "msgbox \"Setup\" \"Line one\\nline \\\"two\\\"\" 4 owner=132");
    EXPECT_EQ(t::MessageBoxLine("Error", "", MB_OK, std::nullopt),
              "msgbox \"Error\" \"\" 0 owner=none");
    EXPECT_EQ(t::AnswerLine(IDNO), "answer no");
    EXPECT_EQ(t::AnswerLine(42), "answer 42");
    EXPECT_EQ(t::DialogOpenLine(100, "Sharing"), "dialog 100 open \"Sharing\"");
    EXPECT_EQ(t::DialogEndLine(100, -1), "dialog 100 end -1");
    EXPECT_EQ(t::CheckLine(1021, true), "check 1021 1");
    EXPECT_EQ(t::CheckLine(1022, false), "check 1022 0");
}

TEST(TranscriptLines, AListReadAnEntryAtATimeMatchesTheWholeList) {
    const std::vector<std::string> entries = {"C:", "Printer \"HP\"", ""};
    std::string line = ui::transcript::ListLine(1011, {});
    EXPECT_EQ(line, "list 1011");
    for (const std::string &entry : entries)
        ui::transcript::AppendListEntry(line, entry);
    EXPECT_EQ(line, "list 1011 \"C:\" \"Printer \\\"HP\\\"\" \"\"");
    EXPECT_EQ(line, ui::transcript::ListLine(1011, entries));
}

} // namespace
