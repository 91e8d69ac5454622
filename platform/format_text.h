// printf-style formatting into a fixed text buffer, by the C runtime the
// program runs on (on Windows msvcrt's own formatter, which every Windows
// has: the C99 one of the MinGW library would add a fifth to a program's
// size). What does not fit is cut; the result is always NUL-terminated.
#pragma once

#include <cstddef>

namespace vp {

// True when the whole text fitted. A size of 0 leaves the buffer alone.
bool FormatText(char *buffer, std::size_t size, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

} // namespace vp
