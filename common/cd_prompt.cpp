#include "common/cd_prompt.h"

#include "common/cd_probe.h"

bool WaitForInstallationCd(char letter, vp::FunctionRef<int()> remind, int again) {
    char path[kCdPathSize];
    MakeCdPath(path, letter, kCdSetupEntry);
    while (!CdEntryExists(path))
        if (remind() != again)
            return false;
    return true;
}
