// The process entry of a program: the command line's switches first, then
// the framework's entry code runs the one static application object.
// Included by exactly one file of each program. A Windows program has main
// too (MinGW's start-up calls it, with msvcrt's reading of the command line).
#pragma once

#include "platform/command_switches.h"
#include "platform/framework.h"

int main(int argc, char **argv) {
    if (const std::optional<int> status = vp::TakeCommandLine(argc, argv))
        return *status;
    return AfxWinMain();
}
