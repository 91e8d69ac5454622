// printf-style formatting into a fixed text buffer, by a formatter of our
// own in every build: the shipped programs use no C runtime DLL, and the
// one Windows itself offers (USER32's wvsprintfA) cannot be told the size
// of the buffer. What does not fit is cut; the result is always
// NUL-terminated.
//
// It knows %d %i %u %x %X %c %s and %%, the flags - and 0, a width and a
// precision (either may be *), and the sizes l and z. A directive it does not
// know ends the text there, as if the rest had not fitted.
#pragma once

#include <cstddef>

namespace vp {

// True when the whole text fitted. A size of 0 leaves the buffer alone.
bool FormatText(char *buffer, std::size_t size, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

} // namespace vp
