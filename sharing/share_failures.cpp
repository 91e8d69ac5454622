#include "sharing/share_failures.h"

void ReportShareFailures(HWND owner, const ShareFailures &failures) {
    if (failures.empty())
        return;
    std::string text = "Fail to change the following shares, they probably\n"
                       "are not as you selected (share: error code):";
    for (const ShareFailure &failure : failures)
        text += "\n" + failure.name + ": " + std::to_string(failure.code);
    MessageBoxA(owner, text.c_str(), "WARNING", MB_ICONEXCLAMATION);
}
