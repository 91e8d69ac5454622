#include "platform/user32/text_copy.h"

#include <algorithm>
#include <cstring>

namespace ui {

int CopyText(std::string_view text, char *buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

bool TextMessage(std::string &text, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
    if (message == WM_SETTEXT) {
        text = lParam ? reinterpret_cast<const char *>(lParam) : "";
        *result = TRUE;
        return true;
    }
    if (message == WM_GETTEXT) {
        *result = CopyText(text, reinterpret_cast<char *>(lParam), static_cast<int>(wParam));
        return true;
    }
    return false;
}

} // namespace ui
