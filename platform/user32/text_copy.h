// Texts of windows and controls, handed over the Win32 way.
#pragma once

#include "platform/api.h"

#include <string>
#include <string_view>

namespace ui {

// Copies at most size - 1 characters and a NUL; returns the characters
// copied. Size 0 (or no buffer) copies nothing and returns 0.
int CopyText(std::string_view text, char *buffer, int size);

// WM_SETTEXT and WM_GETTEXT on the text of a window or control; false for
// every other message.
bool TextMessage(std::string &text, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

} // namespace ui
