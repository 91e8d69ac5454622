// The process entry of a program: the command line's switches first, then
// the framework's entry code runs the one static application object. Each
// program's main calls it with its own switches. A Windows program has main
// too (the entry point calls it, with the command line split into argv).
#pragma once

#include "platform/framework.h"
#include "platform/framework/command_switches.h"

inline int ProgramMain(int argc, char **argv, std::span<const vp::Switch> switches) {
    if (const std::optional<int> status = vp::TakeCommandLine(argc, argv, switches))
        return *status;
    return AfxWinMain();
}
