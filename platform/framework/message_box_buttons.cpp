#include "platform/framework/message_box_buttons.h"

#include <iterator>

namespace ui {

std::vector<int> MessageBoxButtons(UINT style) {
    // By the style's button set, MB_OK (0) to MB_RETRYCANCEL (5); any other
    // set shows OK.
    static constexpr int kButtons[][3] = {
        {IDOK},        {IDOK, IDCANCEL},    {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO}, {IDRETRY, IDCANCEL},
    };
    static constexpr std::size_t kCount[] = {1, 2, 3, 3, 2, 2};
    const UINT set = style & MB_TYPEMASK;
    const UINT row = set < std::size(kCount) ? set : 0;
    return std::vector<int>(kButtons[row], kButtons[row] + kCount[row]);
}

const char *AnswerWord(int button) {
    switch (button) {
    case IDOK:
        return "ok";
    case IDCANCEL:
        return "cancel";
    case IDABORT:
        return "abort";
    case IDRETRY:
        return "retry";
    case IDIGNORE:
        return "ignore";
    case IDYES:
        return "yes";
    case IDNO:
        return "no";
    default:
        return nullptr;
    }
}

} // namespace ui
