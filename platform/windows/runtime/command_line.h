// A command line split into arguments by the rules of the Microsoft C
// runtime, which every Windows program of ours was started by until now and
// which the programs and scripts that start ours quote for.
#pragma once

#include <cstddef>

namespace vp::winrt {

struct ArgumentSizes {
    std::size_t count; // arguments, the program's name first
    std::size_t chars; // of all of them, each with its NUL
};

// The program's name runs to its closing quote when it starts with one, else
// to the first blank. The arguments after it are separated by blanks and
// tabs; quotes group blanks into an argument and are dropped; 2n
// backslashes before a quote are n backslashes and the quote groups, 2n+1
// are n and a quote of the text; "" inside quotes is one quote and ends
// them; other backslashes are text. With argv and text null it only counts;
// else argv[0..count) point at the arguments, written to text.
ArgumentSizes SplitCommandLine(const char *line, char **argv, char *text);

} // namespace vp::winrt
