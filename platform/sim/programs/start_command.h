// A Windows command line taken apart: the program and its arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct CommandLine {
    std::string program;           // the first token, quotes removed
    std::vector<std::string> args; // the rest, split the way the C runtime does
};

// The program runs to the first blank or tab, or to the closing quote when it
// begins with one (backslashes in it are path separators, never escapes).
// The arguments follow the Microsoft C runtime's rules: blanks separate,
// "..." groups, 2n backslashes before a quote give n and the quote toggles,
// 2n+1 give n and a literal quote, other backslashes are literal.
CommandLine SplitCommandLine(std::string_view line);

} // namespace sim
