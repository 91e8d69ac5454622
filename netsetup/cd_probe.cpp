#include "netsetup/cd_probe.h"

#include "platform/win32.h"

void ProbeCdDrive(char *rootPath) {
    for (int i = 3; i <= 9; ++i) {
        rootPath[0] = static_cast<char>('A' + i);
        if (GetDriveTypeA(rootPath) == DRIVE_CDROM)
            return;
    }
}
