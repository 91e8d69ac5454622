// `new`: a machine folder made as a copy of the embedded default machine.
#include "tools/machine_tool.h"

#include "platform/sim/machine.h"

#include <cstdio>

namespace tool {

int CommandNew(const Args &args) {
    if (args.size() != 1) {
        std::fputs("usage: veltrin-machine new <dir>\n", stderr);
        return 2;
    }
    std::string error;
    if (!sim::CopyDefaultMachine(args[0], &error)) {
        std::fprintf(stderr, "veltrin-machine: %s\n", error.c_str());
        return 1;
    }
    std::printf("made machine %s\n", args[0].c_str());
    return 0;
}

} // namespace tool
