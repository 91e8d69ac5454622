#include "sharing/share_failures.h"

#include "platform/decimal_text.h"

void ReportShareFailures(HWND owner, const ShareFailures &failures) {
    if (failures.empty())
        return;
    std::string text = "Fail to change the following shares, they probably\n"
                       "are not as you selected (share: error code):";
    for (const ShareFailure &failure : failures)
        text += "\n" + failure.name + ": " + vp::DecimalText(failure.code);
    MessageBoxA(owner, text.c_str(), "WARNING", MB_ICONEXCLAMATION);
}
