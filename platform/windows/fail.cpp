#include "platform/windows/fail.h"

#include "platform/api.h"

namespace win32 {

void Fail(const std::string &message, int status) {
    const std::string line = "veltrin: " + message + "\n";
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error && error != INVALID_HANDLE_VALUE)
        WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ExitProcess(static_cast<UINT>(status));
}

} // namespace win32
