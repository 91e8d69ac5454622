#include "common/cd_probe.h"

#include "platform/api.h"
#include "platform/framework/format_text.h"

void ProbeCdDrive(char *rootPath) {
    for (int i = 3; i <= 9; ++i) {
        rootPath[0] = static_cast<char>('A' + i);
        if (GetDriveTypeA(rootPath) == DRIVE_CDROM)
            return;
    }
}

void MakeCdPath(char (&path)[kCdPathSize], char letter, const char *tail) {
    vp::FormatText(path, kCdPathSize, "%c:%s", letter, tail);
}

bool CdEntryExists(const char *path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}
