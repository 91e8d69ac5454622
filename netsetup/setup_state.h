// The values the apply sequence and its steps hand to one another. One set
// per process, used by the one user-interface thread only.
#pragma once

#include <cstdint>

struct SetupState {
    // Drive letter, ':', '\' and NUL; the CD probe rewrites the letter.
    char cdRootPath[4] = "D:\\";
    // 0 client, 1 gateway/server; written only by the role dialog's buttons.
    std::int32_t roleFlag = 0;
    char maskText[20] = "";
    char addressText[16] = "";
    // 0 no restart needed, 1 the gateway address was assigned, 2 Winsock 2
    // was missing and its installation was attempted.
    std::int32_t restartState = 0;
};

extern SetupState g_setupState;
