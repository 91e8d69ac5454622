#include "platform/windows/fail.h"

#include "platform/api.h"

#include <string>

namespace win32 {

void Fail(std::initializer_list<std::string_view> message, int status) {
    std::string line = "veltrin: ";
    for (const std::string_view piece : message)
        line += piece;
    line += '\n';
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error && error != INVALID_HANDLE_VALUE)
        WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ExitProcess(static_cast<UINT>(status));
}

} // namespace win32
