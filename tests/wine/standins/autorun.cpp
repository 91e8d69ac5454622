// The CD's autorun program, stand-in for runs under Wine: opens the dialog
// suite, from %VELTRIN_BIN% when set (as the sample CD's script does), else
// from the CD's own folder, and ends when the suite does.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("VELTRIN_BIN", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
        while (length > 0 && folder[length - 1] != '\\')
            --length;
    }
    std::string command(folder, length);
    if (!command.empty() && command.back() != '\\')
        command += '\\';
    command += "veltrin-sharing.exe";

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
