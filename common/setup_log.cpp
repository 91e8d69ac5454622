#include "common/setup_log.h"

#include "common/whole_file.h"
#include "platform/decimal_text.h"
#include "platform/format_text.h"
#include "platform/quoted_text.h"


void LogAction(std::string_view word, std::string_view details) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[64];
    vp::FormatText(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    std::string line = stamp;
    line += vp::VisibleText(word);
    if (!details.empty()) {
        line += ' ';
        line += vp::VisibleText(details);
    }
    line += "\r\n";
    AppendToFile(WindowsDirectoryFile(kSetupLogName), line);
}

std::string ResultText(DWORD code) {
    return code == 0 ? "ok" : "error " + vp::DecimalText(code);
}
