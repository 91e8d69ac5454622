// Text as a dialog shows it in a character grid: mnemonics, word wrapping,
// and narrowing runs of blanks where a proportional font would have made
// them narrow.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tui {

// A control or menu text with its '&' mnemonic taken out.
struct Label {
    std::string text;
    int underline = -1; // index in text of the mnemonic character, or -1
    char key = 0;       // the mnemonic in lower case, or 0
};

// A character in lower case, as mnemonics and the keys that press them are
// compared.
char LowerCase(char c);

// "&&" stands for '&'; "&x" makes x the mnemonic. With prefix false (an
// SS_NOPREFIX static) the text is taken as it is.
Label ParseMnemonic(std::string_view text, bool prefix = true);

// Breaks text into lines of at most width cells: at blanks where possible,
// inside a word that is longer than a line, and at "\n" ("\r" is dropped).
// Blanks at a break are dropped; the first line keeps its leading blanks.
std::vector<std::string> WrapText(std::string_view text, int width);

// The text itself when it fits width; otherwise its runs of blanks narrowed
// in proportion (words keep their places relative to each other), then cut.
std::string FitBlanks(std::string_view text, int width);

} // namespace tui
