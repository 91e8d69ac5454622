// Copies into fixed text buffers that never write past their end: what does
// not fit is cut, and the result is always NUL-terminated.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

inline void AppendText(char *buffer, std::size_t size, std::string_view text) {
    const std::size_t used = std::strlen(buffer);
    if (used + 1 >= size)
        return;
    const std::size_t n = text.size() < size - used - 1 ? text.size() : size - used - 1;
    std::memcpy(buffer + used, text.data(), n);
    buffer[used + n] = '\0';
}

inline void CopyText(char *buffer, std::size_t size, std::string_view text) {
    if (size == 0)
        return;
    buffer[0] = '\0';
    AppendText(buffer, size, text);
}
