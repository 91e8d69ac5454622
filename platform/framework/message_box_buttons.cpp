#include "platform/framework/message_box_buttons.h"

namespace ui {

std::vector<int> MessageBoxButtons(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case 2: // MB_ABORTRETRYIGNORE
        return {IDABORT, IDRETRY, IDIGNORE};
    case 3: // MB_YESNOCANCEL
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case 5: // MB_RETRYCANCEL
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
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
