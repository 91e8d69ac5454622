// time(), which the headers make a call of _time32 through the import table
// of a C runtime DLL: defined here, with that table entry pointing at it.
// <ctime> is not included, as it declares _time32 imported.
#include "platform/windows/runtime/civil_time.h"

#include <windows.h>

extern "C" {

// long: the headers' __time32_t.
long _time32(long *result) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    const auto seconds = static_cast<long>(vp::winrt::SecondsSince1970(
        {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}));
    if (result)
        *result = seconds;
    return seconds;
}

extern long (*const importedTime32)(long *) __asm__("__imp___time32");
long (*const importedTime32)(long *) = _time32;

} // extern "C"
