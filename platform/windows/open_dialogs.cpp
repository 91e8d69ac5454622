#include "platform/windows/open_dialogs.h"

#include <algorithm>
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

void DialogStopped(CDialog &dialog) {
    auto &open = Open();
    open.erase(std::remove(open.begin(), open.end(), &dialog), open.end());
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
