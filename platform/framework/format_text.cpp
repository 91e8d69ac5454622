#include "platform/format_text.h"

#include <cstdarg>
#include <cstdio>

namespace vp {

bool FormatText(char *buffer, std::size_t size, const char *format, ...) {
    if (size == 0)
        return false;
    va_list arguments;
    va_start(arguments, format);
#ifdef _WIN32
    // msvcrt's _vsnprintf answers -1 when the text is longer than the count
    // and writes no NUL when the text fills the count exactly: give it one
    // byte less and end the text ourselves.
    const int length = _vsnprintf(buffer, size - 1, format, arguments);
    buffer[size - 1] = '\0';
    const bool fitted = length >= 0;
#else
    const int length = std::vsnprintf(buffer, size, format, arguments);
    const bool fitted = length >= 0 && static_cast<std::size_t>(length) < size;
#endif
    va_end(arguments);
    return fitted;
}

} // namespace vp
