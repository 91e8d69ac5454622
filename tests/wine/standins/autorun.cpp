// The CD's autorun program, stand-in for runs under Wine or on a test
// machine: opens the dialog suite, from %VELTRIN_BIN% when set (as the
// sample CD's script does), else from the CD's own folder, and ends when the
// suite does. Plain Win32, so that it also runs on Windows 95/98.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    constexpr DWORD kFolderMax = MAX_PATH - 32; // room for the program's name
    char command[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("VELTRIN_BIN", command, kFolderMax);
    if (length == 0 || length >= kFolderMax) {
        length = GetModuleFileNameA(nullptr, command, kFolderMax);
        if (length == 0 || length >= kFolderMax)
            return 1;
        while (length > 0 && command[length - 1] != '\\')
            --length;
        command[length] = '\0';
    }
    if (length > 0 && command[length - 1] != '\\')
        lstrcatA(command, "\\");
    lstrcatA(command, "veltrin-sharing.exe");

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
