// The CD's setup program, stand-in for runs under Wine or on a test machine:
// it only leaves its mark in setup.log in the Windows folder, with the
// command that started it (after a restart, the run-once entry as the
// program wrote it):
//   Setup.exe ran: "E:\Tzr\Setup.exe "
#include <windows.h>

namespace {

void Write(HANDLE file, const char *text) {
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(path, MAX_PATH - 16);
    if (length == 0 || length >= MAX_PATH - 16)
        return 1;
    lstrcatA(path, "\\setup.log");
    const HANDLE log = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    SetFilePointer(log, 0, nullptr, FILE_END);
    Write(log, "Setup.exe ran: \"");
    Write(log, GetCommandLineA());
    Write(log, "\"\n");
    CloseHandle(log);
    return 0;
}
