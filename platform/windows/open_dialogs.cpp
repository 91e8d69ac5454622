#include "platform/windows/open_dialogs.h"

#include <vector>

namespace win32 {

namespace {

std::vector<CDialog *> &Open() {
    static std::vector<CDialog *> open;
    return open;
}

} // namespace

void DialogStarted(CDialog &dialog) {
    Open().push_back(&dialog);
}

// A dialog is open once: it leaves where it stands, most often at the end.
void DialogStopped(CDialog &dialog) {
    auto &open = Open();
    for (auto at = open.begin(); at != open.end(); ++at)
        if (*at == &dialog) {
            open.erase(at);
            return;
        }
}

CDialog *InnermostDialog() {
    return Open().empty() ? nullptr : Open().back();
}

CDialog *OpenDialogOf(HWND window) {
    if (!window)
        return nullptr;
    for (CDialog *dialog : Open()) {
        const HWND own = dialog->GetSafeHwnd();
        if (own == window || IsChild(own, window))
            return dialog;
    }
    return nullptr;
}

} // namespace win32
