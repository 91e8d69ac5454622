#include "platform/windows/win_fail.h"

#include "platform/api.h"
#include "platform/framework/command_switches.h"

#include <string>

namespace win32 {

std::string ProgramName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(vp::ProgramName(path));
}

bool WriteErrorLine(std::string_view message) {
    std::string line = ProgramName();
    line += ": ";
    line += message;
    line += "\r\n";
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    return error && error != INVALID_HANDLE_VALUE &&
           WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

void Fail(std::initializer_list<std::string_view> message, int status) {
    std::string text;
    for (const std::string_view piece : message)
        text += piece;
    WriteErrorLine(text);
    ExitProcess(static_cast<UINT>(status));
}

} // namespace win32
