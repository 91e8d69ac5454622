// Holds a named mutex as a running setup or undo does, until a file
// appears (or two minutes have passed): for the runs that must find the
// name taken. Writes a second file once the mutex is held.
// Usage: holdmutex <mutex name> <held file> <release file>
#include <windows.h>

int main(int argc, char **argv) {
    if (argc != 4)
        return 2;
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, argv[1]);
    if (!mutex)
        return 1;
    const HANDLE held = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    for (int i = 0; i < 1200 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    CloseHandle(mutex);
    return 0;
}
