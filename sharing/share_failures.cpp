#include "sharing/share_failures.h"

#include "platform/format_text.h"

void NoteShareResult(ShareFailures &failures, std::string_view name, unsigned result) {
    if (result != NERR_Success)
        failures.push_back({std::string(name), result});
}

void ReportShareFailures(HWND owner, const ShareFailures &failures) {
    if (failures.empty())
        return;
    std::string text = "Fail to change the following shares, they probably\n"
                       "are not as you selected (share: error code):";
    for (const ShareFailure &failure : failures) {
        char code[16]; // ": " and at most 10 digits
        vp::FormatText(code, sizeof code, ": %u", failure.code);
        text += '\n';
        text += failure.name;
        text += code;
    }
    MessageBoxA(owner, text.c_str(), "WARNING", MB_ICONEXCLAMATION);
}
