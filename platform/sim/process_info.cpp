// What a program asks about itself and the hour: GetCommandLineA from the
// arguments the host started it with, GetLocalTime from the host's clock and
// time zone.
#include "platform/api.h"

#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// One argument as the C runtime reads it back: quoted when it holds a blank
// or a quote, with the backslashes before a quote doubled.
void AppendArgument(std::string &line, const std::string &arg) {
    if (!line.empty())
        line += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        line += arg;
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"')
                line.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        line += c;
    }
    line.append(backslashes, '\\');
    line += '"';
}

std::string ReadCommandLine() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string line;
    for (std::size_t at = 0; at < raw.size();) {
        const std::size_t end = raw.find('\0', at);
        const std::string arg = raw.substr(at, end - at);
        AppendArgument(line, arg);
        at = end == std::string::npos ? raw.size() : end + 1;
    }
    return line;
}

} // namespace

LPSTR GetCommandLineA() {
    static std::string line = ReadCommandLine();
    return line.data();
}

void GetLocalTime(SYSTEMTIME *time) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    time->wYear = static_cast<WORD>(local.tm_year + 1900);
    time->wMonth = static_cast<WORD>(local.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time->wDay = static_cast<WORD>(local.tm_mday);
    time->wHour = static_cast<WORD>(local.tm_hour);
    time->wMinute = static_cast<WORD>(local.tm_min);
    time->wSecond = static_cast<WORD>(local.tm_sec);
    time->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
}
