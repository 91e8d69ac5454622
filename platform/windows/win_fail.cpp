#include "platform/windows/win_fail.h"

#include "platform/api.h"

#include <string>

namespace win32 {

namespace {

// The program as its file names it: "veltrin-sharing", "SHARING" for a copy
// named SHARING.EXE.
std::string ProgramName() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string_view name(path, length < sizeof path ? length : 0);
    name = name.substr(name.find_last_of("\\/:") + 1);
    name = name.substr(0, name.rfind('.'));
    return name.empty() ? "veltrin" : std::string(name);
}

} // namespace

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
