// What a program asks about its environment and the hour:
// GetEnvironmentVariableA from the host's environment, GetLocalTime from the
// host's clock and time zone.
#include "platform/api.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    const char *value = name ? std::getenv(name) : nullptr;
    if (!value) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const std::size_t length = std::strlen(value);
    if (!buffer || length >= size)
        return static_cast<DWORD>(length + 1);
    std::memcpy(buffer, value, length + 1);
    return static_cast<DWORD>(length);
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
