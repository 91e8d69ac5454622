// Installs Winsock 2 from the installation CD when its service key is
// missing, and asks for a restart.
#pragma once

#include "platform/api.h"

// How the wait for the installer is paced. Every wait is bounded: with an
// installer that never ends and never adds the key, the poll gives up after
// its last check, about checkInterval x 5000 after the start.
struct Winsock2Pacing {
    DWORD inputIdleTimeout = 5000; // for the installer to be ready for input
    DWORD checkInterval = 100;     // between two checks of the key
};

enum class Winsock2Result {
    AlreadyInstalled, // the service key was there: nothing was done
    InstallerRan,     // the installer was started and waited for
    NotStarted,       // the installer could not be started: the user was told
};

// Nothing happens when "System\CurrentControlSet\Services\Winsock2" exists.
// Otherwise: probes the CD (rewriting the CD root path's letter), starts
// "<L>:\Wingate\ws2setup.exe" and polls for the key until it appears, the
// installer ends, or 5001 checks were made. An installer that cannot be
// started is told in a warning owned by owner, with the program and the
// Windows error code.
Winsock2Result InstallWinsock2(HWND owner, const Winsock2Pacing &pacing = {});
