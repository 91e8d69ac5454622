// Copies a text into a caller's buffer the Win32 way.
#pragma once

#include <string_view>

namespace ui {

// Copies at most size - 1 characters and a NUL; returns the characters
// copied. Size 0 (or no buffer) copies nothing and returns 0.
int CopyText(std::string_view text, char *buffer, int size);

} // namespace ui
