// `new`: a machine folder made as a copy of the embedded default machine;
// `reset`: the default machine's copy made anew.
#include "tools/machine_tool.h"

#include "platform/sim/machine/machine.h"

#include <cstdio>
#include <filesystem>

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

// The fresh copy is made beside the old one and renamed into its place, so
// that a failure leaves the old one as it was.
int CommandReset(const Args &args) {
    namespace fs = std::filesystem;
    if (!args.empty()) {
        std::fputs("usage: veltrin-machine reset\n", stderr);
        return 2;
    }
    const std::string dir = sim::DefaultMachineDir();
    const std::string fresh = dir + ".fresh", old = dir + ".old";
    std::error_code ec;
    fs::remove_all(fresh, ec);
    fs::remove_all(old, ec);
    fs::create_directories(fs::path(dir).parent_path(), ec);
    std::string error;
    if (!sim::CopyDefaultMachine(fresh, &error)) {
        std::fprintf(stderr, "veltrin-machine: %s\n", error.c_str());
        return 1;
    }
    const bool hadOne = fs::exists(dir, ec);
    if (hadOne)
        fs::rename(dir, old, ec);
    if (!ec)
        fs::rename(fresh, dir, ec);
    if (ec) {
        std::fprintf(stderr, "veltrin-machine: cannot replace %s: %s\n", dir.c_str(),
                     ec.message().c_str());
        std::error_code ignored;
        if (hadOne && !fs::exists(dir, ignored))
            fs::rename(old, dir, ignored); // the old copy goes back
        fs::remove_all(fresh, ignored);
        return 1;
    }
    fs::remove_all(old, ec);
    std::printf("the default machine %s is as it came\n", dir.c_str());
    return 0;
}

} // namespace tool
