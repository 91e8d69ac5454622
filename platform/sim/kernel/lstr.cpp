// KERNEL32's lstr family. Windows catches the fault of a NULL argument and
// returns NULL (0 for lstrlenA) instead of crashing; so do these.
#include "platform/api.h"

#include <cstring>

LPSTR lstrcpyA(LPSTR dst, LPCSTR src) {
    if (!dst || !src)
        return nullptr;
    return std::strcpy(dst, src);
}

LPSTR lstrcatA(LPSTR dst, LPCSTR src) {
    if (!dst || !src)
        return nullptr;
    return std::strcat(dst, src);
}

int lstrlenA(LPCSTR s) {
    return s ? static_cast<int>(std::strlen(s)) : 0;
}
