// The values the apply sequence and its steps hand to one another. One set
// per process, used by the one user-interface thread only.
#pragma once

#include <cstdint>

// Which part this computer plays on the home network.
enum class RoleFlag : std::int32_t {
    Client = 0,
    Gateway = 1,
};

// Why the apply sequence restarts Windows; any value but NotNeeded asks for
// the restart.
enum class RestartState : std::int32_t {
    NotNeeded = 0,
    // The gateway's address was written into a TCP/IP binding of the card.
    AddressAssigned = 1,
    // Winsock 2 was missing and its installer was started.
    Winsock2Installed = 2,
};

struct SetupState {
    // Drive letter, ':', '\' and NUL; the CD probe rewrites the letter.
    char cdRootPath[4] = "D:\\";
    // Written only by the role dialog's buttons.
    RoleFlag roleFlag = RoleFlag::Client;
    char maskText[20] = "";
    char addressText[16] = "";
    // Set to NotNeeded at the start of every apply sequence's CD check; the
    // sequence sets it from what its steps report.
    RestartState restartState = RestartState::NotNeeded;
};

extern SetupState g_setupState;
