#include "sharing/share_failures.h"

#include "platform/framework/format_text.h"

void ShareFailures::Note(std::string_view name, unsigned result) {
    if (result == NERR_Success)
        return;
    char code[16]; // ": " and at most 10 digits
    vp::FormatText(code, sizeof code, ": %u", result);
    m_lines += '\n';
    m_lines += name;
    m_lines += code;
}

void ReportShareFailures(HWND owner, const ShareFailures &failures) {
    if (failures.empty())
        return;
    std::string text = "Fail to change the following shares, they probably\n"
                       "are not as you selected (share: error code):";
    text += failures.Lines();
    MessageBoxA(owner, text.c_str(), "WARNING", MB_ICONEXCLAMATION);
}
